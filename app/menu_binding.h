#pragma once

#include <QAction>
#include <QMenuBar>
#include <map>

#include "form/main_form.h"

namespace zb {

// The window's menus, each item an action that follows its menu item:
// caption, shortcut, enabled and check mark. Returns the actions by item.
std::map<const MenuItem*, QAction*> BuildMenus(QMenuBar* bar, MainForm& form);

}  // namespace zb
