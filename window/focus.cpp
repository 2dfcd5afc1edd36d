#include "window/focus.h"

#include "window/program.h"

namespace zb {
namespace {

void Fire(const std::function<void()>& event) {
  if (event) event();
}

}  // namespace

void SetFocus(Program& program, TextBox& field) {
  if (!field.Enabled() || program.focused == &field) return;
  TextBox* previous = program.focused;
  program.focused = &field;
  if (previous) Fire(previous->LostFocus);
  Fire(field.GotFocus);
}

void ClearFocus(Program& program) {
  TextBox* previous = program.focused;
  program.focused = nullptr;
  if (previous) Fire(previous->LostFocus);
}

}  // namespace zb
