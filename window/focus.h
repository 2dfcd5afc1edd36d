#pragma once

namespace zb {

struct Program;
class TextBox;

// Gives the keyboard focus to a field; a disabled field cannot take it and
// the focus stays where it is. The field that loses it hears LostFocus.
void SetFocus(Program& program, TextBox& field);
// The focus leaves the fields (a button or another control took it).
void ClearFocus(Program& program);
// The window's own focus went to field, or to another control when null.
// While the field that has the focus is disabled (a run locks it), the focus
// stays with it, so that no check runs in the middle of a run.
void FocusMovedTo(Program& program, TextBox* field);
// Enter in a path field: the next slot of the focus ring takes the focus.
void AdvanceFocusRing(Program& program);
// The field that has the focus is checked as if it were left, and keeps the
// focus: what it shows is then what the program works with.
void SettleFocusedField(Program& program);

}  // namespace zb
