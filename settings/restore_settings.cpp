#include "settings/restore_settings.h"

#include <algorithm>
#include <string>

#include "context/output_names.h"
#include "form/form_options.h"
#include "platform/platform.h"
#include "settings/stored_options.h"
#include "text/letter_case.h"

namespace zb {
namespace {

// Every restored check box clicks once, changed or not, so that the controls
// that depend on it follow the restored value whatever state the window was
// built in.
void Restore(CheckBox& box, int value) {
  if (box.Value() != value) {
    box.SetValue(value);
  } else if (box.Click) {
    box.Click();
  }
}

// A fixed list takes only the texts of its items.
void Restore(ComboBox& combo, std::string text, const char* fallback) {
  const auto& items = combo.Items();
  if (combo.FixedList() && std::find(items.begin(), items.end(), text) == items.end()) {
    text = fallback;
  }
  combo.SetText(std::move(text));
}

void Restore(const FormOption& option, MainForm& f, StoredOptions& stored) {
  const char* key = option.key;
  std::visit(Overloaded{
                 [&](CheckBox MainForm::*box) {
                   Restore(f.*box, stored.Number(key, std::stoi(option.fallback), 0, 2));
                 },
                 [&](ScrollBar MainForm::*bar) {
                   ScrollBar& b = f.*bar;
                   b.SetValue(stored.Number(key, std::stoi(option.fallback), b.Min(), b.Max()));
                 },
                 [&](ComboBox MainForm::*combo) {
                   Restore(f.*combo, stored.Text(key, option.fallback), option.fallback);
                 },
                 // The folders are restored with RestorePaths, against the disk.
                 [](TextBox MainForm::*) {},
                 [&](OptionMenuItem item) {
                   f.mnuOptionItem[item].SetChecked(
                       stored.Flag(key, std::string_view(option.fallback) == "True"));
                 },
                 [&](OpenInButtons) {
                   const std::string selected = stored.Text(key, option.fallback);
                   f.optWin2[EqualsIgnoreCase(selected, "2")   ? 2
                             : EqualsIgnoreCase(selected, "1") ? 1
                                                               : 0]
                       .SetValue(true);
                 },
             },
             option.control);
}

}  // namespace

void RestoreSettings(MainForm& f, Platform& platform) {
  StoredOptions stored(platform);
  for (const FormOption* option : FormOptionsInSettingOrder()) Restore(*option, f, stored);
}

std::string DefaultSearchPath(const std::string& drive) {
  return drive.substr(0, 1) + ":\\" + kDefaultFolderName + "\\" + kListFileName;
}

}  // namespace zb
