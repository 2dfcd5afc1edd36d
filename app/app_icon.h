#pragma once

#include <QIcon>

namespace zb {

// The program's own icon (app/zorbelle.svg, built into the program).
QIcon ApplicationIcon();
// Gives every window of the program that icon: title bar, task bar and the
// version window's picture.
void InstallApplicationIcon();

}  // namespace zb
