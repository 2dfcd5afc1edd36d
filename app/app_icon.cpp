#include "app/app_icon.h"

#include <QApplication>

namespace zb {

QIcon ApplicationIcon() { return QIcon(QStringLiteral(":/zorbelle.svg")); }

void InstallApplicationIcon() { QApplication::setWindowIcon(ApplicationIcon()); }

}  // namespace zb
