#pragma once

namespace zb {

class Shell;

// The author's home page in the desktop's browser; the outcome is not checked.
void OpenHomePage(Shell& shell);

}  // namespace zb
