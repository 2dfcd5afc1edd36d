#include "app/window_grab.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QWidget>

namespace zb {

bool GrabWindow(QWidget& window, const QString& pngPath) {
  // Pending layout and paint requests settle first.
  QCoreApplication::processEvents();
  return window.grab().save(pngPath, "PNG");
}

}  // namespace zb
