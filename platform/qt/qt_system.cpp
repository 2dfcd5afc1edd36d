#include "platform/qt/qt_system.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <exception>

#include "platform/qt/qt_text.h"

namespace zb {

void QtSystem::YieldToEvents() { QCoreApplication::processEvents(); }

void QtSystem::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(ToQt(text));
}

void QtSystem::EndProgram(int exitCode) {
  host_.EndProgram(exitCode);
  std::terminate();  // the host's end does not return
}

}  // namespace zb
