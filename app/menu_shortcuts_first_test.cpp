#include "app/menu_shortcuts_first.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLineEdit>
#include <span>

#include "app/view_test_fixture.h"
#include "platform/qt/qt_text.h"

namespace zb {
namespace {

class MenuShortcutTest : public testing::Test, public ViewFixture<> {
 protected:
  MenuShortcutTest() {
    OpenFolder("pics");
    form.chkSameDir.SetValue(0);  // both fields take the focus
    for (std::span<MenuItem> menu :
         {std::span<MenuItem>(form.mnuFileItem), std::span<MenuItem>(form.mnuViewItem),
          std::span<MenuItem>(form.mnuRunItem), std::span<MenuItem>(form.mnuOptionItem),
          std::span<MenuItem>(form.mnuHelpItem)}) {
      for (MenuItem& item : menu) {
        if (item.Shortcut().empty()) continue;
        item.SetEnabled(true);
        item.Click = [this, &item] { chosen.push_back(&item); };
        items.push_back(&item);
      }
    }
  }
  // Types the item's shortcut into the field, its text all selected as
  // when the field has just taken the focus.
  void Type(QLineEdit* field, const MenuItem& item) {
    field->setFocus();
    field->selectAll();
    chosen.clear();
    QTest::keySequence(field, QKeySequence(ToQt(item.Shortcut())));
  }

  std::vector<MenuItem*> items;
  std::vector<MenuItem*> chosen;
};

TEST_F(MenuShortcutTest, EveryMenuShortcutWinsOverEachPathField) {
  ASSERT_GE(items.size(), 12u);
  for (const TextBox* control : {&form.txtOLEKensaku, &form.txtOLESakusei}) {
    auto* field = Widget<QLineEdit>(*control);
    const QString text = field->text();
    for (MenuItem* item : items) {
      Type(field, *item);
      EXPECT_THAT(chosen, testing::ElementsAre(item))
          << item->Shortcut() << " in " << FromQt(field->text());
      EXPECT_EQ(field->text(), text) << item->Shortcut() << " reached the field";
      field->setText(text);
    }
  }
}

TEST_F(MenuShortcutTest, ADisabledItemLeavesItsKeysToTheField) {
  MenuItem& exit = form.mnuFileItem[3];
  ASSERT_EQ(exit.Shortcut(), "Ctrl+X");
  exit.SetEnabled(false);
  auto* field = Widget<QLineEdit>(form.txtOLEKensaku);
  Type(field, exit);
  EXPECT_TRUE(chosen.empty());
  EXPECT_EQ(field->text(), "");  // cut
}

}  // namespace
}  // namespace zb
