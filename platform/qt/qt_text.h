#pragma once

#include <QString>
#include <string>

namespace zb {

// The program's UTF-8 strings and Qt's.
inline QString ToQt(const std::string& utf8) { return QString::fromUtf8(utf8); }
inline std::string FromQt(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace zb
