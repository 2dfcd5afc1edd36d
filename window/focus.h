#pragma once

namespace zb {

struct Program;
class TextBox;

// Gives the keyboard focus to a field; a disabled field cannot take it and
// the focus stays where it is. The field that loses it hears LostFocus.
void SetFocus(Program& program, TextBox& field);
// The focus leaves the fields (a button or another control took it).
void ClearFocus(Program& program);

}  // namespace zb
