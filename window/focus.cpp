#include "window/focus.h"

#include "window/program.h"

namespace zb {
namespace {

void Fire(const std::function<void()>& event) {
  if (event) event();
}

// Moves the focus to field (or nowhere); the one that had it hears
// LostFocus before the new one hears GotFocus.
void MoveFocus(Program& program, TextBox* field) {
  TextBox* previous = program.focused;
  program.focused = field;
  if (previous) previous->SetHasFocus(false);
  if (field) field->SetHasFocus(true);
  if (previous) Fire(previous->LostFocus);
  if (field) Fire(field->GotFocus);
}

}  // namespace

void SetFocus(Program& program, TextBox& field) {
  if (field.Enabled() && program.focused != &field) MoveFocus(program, &field);
}

void ClearFocus(Program& program) { MoveFocus(program, nullptr); }

void FocusMovedTo(Program& program, TextBox* field) {
  if (program.focused && !program.focused->Enabled()) return;
  if (field) {
    SetFocus(program, *field);
  } else {
    ClearFocus(program);
  }
}

void SettleFocusedField(Program& program) {
  TextBox* field = program.focused;
  if (field && field->Enabled()) Fire(field->LostFocus);
}

void AdvanceFocusRing(Program& program) {
  if (++program.focusIndex == 2) program.focusIndex = 0;
  if (TextBox* next = program.focusRing[static_cast<std::size_t>(program.focusIndex)]) {
    SetFocus(program, *next);
  }
}

}  // namespace zb
