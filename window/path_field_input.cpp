#include "window/path_field_input.h"

#include "window/focus.h"
#include "window/path_field_validation.h"
#include "window/program.h"

namespace zb {
namespace {

int CountCharacters(const std::string& utf8) {
  int count = 0;
  for (unsigned char c : utf8) count += (c & 0xC0) != 0x80;
  return count;
}

void TakeDrop(Program& program, TextBox& field, void (*check)(Program&),
              const std::vector<std::string>& files) {
  if (files.empty() || !field.Enabled()) return;
  field.SetText(files.front());
  program.platform.system.SetClipboardText(files.front());
  check(program);
}

}  // namespace

void SelectAllText(TextBox& field) { field.Select(0, CountCharacters(field.Text())); }

void PathField_GotFocus(TextBox& field) { SelectAllText(field); }

void PathField_KeyPress(Program& program, int& keyCode) {
  if (keyCode != kEnterKey) return;
  TextBox* pressedIn = program.focused;
  AdvanceFocusRing(program);
  // Where the focus stays (the ring's first turn, or a disabled partner),
  // Enter still checks the field, as leaving it would have.
  if (program.focused == pressedIn) SettleFocusedField(program);
  keyCode = 0;
}

void txtOLEKensaku_OLEDragDrop(Program& program, const std::vector<std::string>& files) {
  TakeDrop(program, program.form.txtOLEKensaku, txtOLEKensaku_LostFocus, files);
}

void txtOLESakusei_OLEDragDrop(Program& program, const std::vector<std::string>& files) {
  TakeDrop(program, program.form.txtOLESakusei, txtOLESakusei_LostFocus, files);
}

}  // namespace zb
