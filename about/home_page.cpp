#include "about/home_page.h"

#include "platform/shell.h"

namespace zb {

void OpenHomePage(Shell& shell) { shell.Open("open", kHomePage, ""); }

}  // namespace zb
