#pragma once

#include <string>
#include <vector>

namespace zb {

struct Program;
class TextBox;

inline constexpr int kEnterKey = 13;

// Selects the whole text, counted in characters.
void SelectAllText(TextBox& field);

// Handlers shared by both path fields.
void PathField_GotFocus(TextBox& field);
// Enter moves the focus around the ring, so the field is checked as it is
// left, and never reaches the field.
void PathField_KeyPress(Program& program, int& keyCode);

// A drop takes the first dropped file: it goes into the field and on the
// clipboard, then the field is checked as if it had lost the focus.
void txtOLEKensaku_OLEDragDrop(Program& program, const std::vector<std::string>& files);
void txtOLESakusei_OLEDragDrop(Program& program, const std::vector<std::string>& files);

}  // namespace zb
