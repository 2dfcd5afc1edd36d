#pragma once

namespace zb {

class Shell;

inline constexpr const char* kHomePage = "https://zorbelle.invalid/";

// The author's home page in the desktop's browser; the outcome is not checked.
void OpenHomePage(Shell& shell);

}  // namespace zb
