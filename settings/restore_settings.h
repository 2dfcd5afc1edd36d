#pragma once

#include <string>

namespace zb {

struct MainForm;
struct Platform;

// Puts the stored options into their controls while the window loads. A
// stored value the control cannot take falls back to the key's default.
void RestoreSettings(MainForm& form, Platform& platform);

// The search path stored by default: "c:\_Zorbelle\_gazlist.htm" for "c:".
std::string DefaultSearchPath(const std::string& drive);

}  // namespace zb
