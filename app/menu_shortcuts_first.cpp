#include "app/menu_shortcuts_first.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace zb {

MenuShortcutsFirst::MenuShortcutsFirst(QWidget* window, std::vector<QAction*> actions)
    : QObject(window), window_(window), actions_(std::move(actions)) {
  qApp->installEventFilter(this);
}

bool MenuShortcutsFirst::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride) return false;
  const auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != window_) return false;
  const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
  for (const QAction* action : actions_) {
    if (action->isEnabled() && action->shortcut() == pressed) {
      // Left unaccepted, the key goes to the shortcut and not to the control.
      event->ignore();
      return true;
    }
  }
  return false;
}

}  // namespace zb
