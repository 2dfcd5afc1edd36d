#pragma once

#include <QAction>
#include <QObject>
#include <vector>

namespace zb {

// A menu's shortcut is handled before the focused control sees the key, as
// on the window's home platform: Ctrl+X ends the program even in a text
// field that would cut with it. Lives as a child of the window it serves.
class MenuShortcutsFirst : public QObject {
 public:
  MenuShortcutsFirst(QWidget* window, std::vector<QAction*> actions);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  std::vector<QAction*> actions_;
};

}  // namespace zb
