#include "window/option_menu.h"

#include "form/design_colors.h"
#include "window/program.h"

namespace zb {

void mnuOptionItem_Click(Program& program, int index) {
  MenuItem& item = program.form.mnuOptionItem.at(static_cast<std::size_t>(index));
  item.SetChecked(!item.Checked());
  if (index == 1) PaintBackground(program, item.Checked());
}

void PaintBackground(Program& program, bool white) {
  MainForm& f = program.form;
  f.Window.SetWhiteBackground(white);
  for (Label* label : ThemeLabels(f)) {
    const bool navy = !white && label == &f.LblFileCount;
    label->SetForeColor(navy ? kNavy : kDarkBlue);
  }
}

}  // namespace zb
