#pragma once

#include <string>

#include "form/form_options.h"

namespace zb {

// An option's value as the settings file holds it: a check box's 0, 1 or 2,
// a number, a text, "True" or "False" for a menu item, the selected
// open-in button's index.
std::string StoredText(const FormOption& option, const MainForm& form);

// Sets the option's control from such a text, through the control's own
// change, as a user would. The text must be one the control can take.
void SetFromStoredText(const FormOption& option, MainForm& form, const std::string& text);

}  // namespace zb
