#include "app/menu_binding.h"

#include <QKeySequence>
#include <QMenu>
#include <span>

#include "platform/qt/qt_text.h"

namespace zb {
namespace {

void FollowItem(MenuItem& item, QAction* action) {
  auto show = [action, &item] {
    action->setText(ToQt(item.Caption()));
    action->setShortcut(QKeySequence(ToQt(item.Shortcut())));
    action->setEnabled(item.Enabled());
    action->setVisible(item.Visible());
    // As on the original menus, an item shows a mark only while it is checked.
    action->setCheckable(item.Checked());
    action->setChecked(item.Checked());
  };
  show();
  const int id = item.Observe(show);
  QObject::connect(action, &QObject::destroyed, [&item, id] { item.Unobserve(id); });
  QObject::connect(action, &QAction::triggered, action, [&item, show] {
    item.Choose();
    show();
  });
}

void AddMenu(QMenuBar* bar, MenuItem& title, std::span<MenuItem> items,
             std::map<const MenuItem*, QAction*>& actions) {
  QMenu* menu = bar->addMenu(ToQt(title.Caption()));
  for (MenuItem& item : items) {
    if (item.Separator()) {
      actions[&item] = menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(QString());
    // The window's shortcuts work wherever the focus is in it.
    action->setShortcutContext(Qt::WindowShortcut);
    FollowItem(item, action);
    actions[&item] = action;
  }
}

}  // namespace

std::map<const MenuItem*, QAction*> BuildMenus(QMenuBar* bar, MainForm& f) {
  std::map<const MenuItem*, QAction*> actions;
  AddMenu(bar, f.mnuFile, f.mnuFileItem, actions);
  AddMenu(bar, f.mnuView, f.mnuViewItem, actions);
  AddMenu(bar, f.mnuRun, f.mnuRunItem, actions);
  AddMenu(bar, f.mnuOption, f.mnuOptionItem, actions);
  AddMenu(bar, f.mnuHelp, f.mnuHelpItem, actions);
  return actions;
}

}  // namespace zb
