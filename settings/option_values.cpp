#include "settings/option_values.h"

#include <cstddef>

#include "text/letter_case.h"

namespace zb {
std::string StoredText(const FormOption& option, const MainForm& f) {
  return std::visit(Overloaded{
                        [&f](CheckBox MainForm::*box) { return std::to_string((f.*box).Value()); },
                        [&f](ScrollBar MainForm::*bar) { return std::to_string((f.*bar).Value()); },
                        [&f](ComboBox MainForm::*combo) { return (f.*combo).Text(); },
                        [&f](TextBox MainForm::*field) { return (f.*field).Text(); },
                        [&f](OptionMenuItem item) -> std::string {
                          return f.mnuOptionItem[item].Checked() ? "True" : "False";
                        },
                        [&f](OpenInButtons) -> std::string {
                          return f.optWin2[2].Value() ? "2" : f.optWin2[1].Value() ? "1" : "0";
                        },
                    },
                    option.control);
}

void SetFromStoredText(const FormOption& option, MainForm& f, const std::string& text) {
  std::visit(Overloaded{
                 [&](CheckBox MainForm::*box) { (f.*box).SetValue(std::stoi(text)); },
                 [&](ScrollBar MainForm::*bar) { (f.*bar).SetValue(std::stoi(text)); },
                 [&](ComboBox MainForm::*combo) { (f.*combo).SetText(text); },
                 [&](TextBox MainForm::*field) { (f.*field).SetText(text); },
                 [&](OptionMenuItem item) {
                   f.mnuOptionItem[item].SetChecked(EqualsIgnoreCase(text, "True"));
                 },
                 [&](OpenInButtons) {
                   f.optWin2[static_cast<std::size_t>(std::stoi(text))].SetValue(true);
                 },
             },
             option.control);
}

}  // namespace zb
