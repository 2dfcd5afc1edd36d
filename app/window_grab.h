#pragma once

#include <QString>

class QWidget;

namespace zb {

// Renders the window, menus included, into a PNG file; false when the file
// cannot be written.
bool GrabWindow(QWidget& window, const QString& pngPath);

}  // namespace zb
