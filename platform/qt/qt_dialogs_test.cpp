#include "platform/qt/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <tuple>

#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

// Runs act on the dialog that opens next, once it is up.
template <typename Dialog>
void WhenShown(std::function<void(Dialog&)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return WhenShown<Dialog>(act);
    act(*dialog);
  });
}

// Drive C: is the host's root.
QtDialogs Dialogs() {
  return QtDialogs(
      [](const std::string& host) -> std::optional<std::string> { return "C:" + host; },
      [](const std::string& drive) -> std::optional<std::string> { return drive.substr(2); });
}

// Beside its title a bar holds at least a close, a minimise and a menu button.
TEST(QtDialogsTest, AQuestionShowsItsTextIconDefaultAndWholeTitleAndReportsTheButton) {
  QtDialogs dialogs = Dialogs();
  int width = 0;
  WhenShown<QMessageBox>([&](QMessageBox& box) {
    EXPECT_EQ(box.windowTitle(), "プログラムの停止？");
    EXPECT_EQ(box.text(), "一行目\n二行目");
    EXPECT_EQ(box.icon(), QMessageBox::Critical);
    EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(static_cast<QAbstractButton*>(box.defaultButton()), box.button(QMessageBox::No));
    width = box.width();
    box.button(QMessageBox::Yes)->click();
  });
  EXPECT_EQ(dialogs.Show({"一行目\r\n二行目", "プログラムの停止？", Buttons::kYesNo,
                          Icon::kCritical, Answer::kNo}),
            Answer::kYes);
  QFont bold = QApplication::font();
  bold.setBold(true);
  EXPECT_GE(width, QFontMetrics(bold).horizontalAdvance("プログラムの停止？") + 3 * 24);
}

TEST(QtDialogsTest, EscapeBacksOut) {
  QtDialogs dialogs = Dialogs();
  WhenShown<QMessageBox>([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
  EXPECT_EQ(dialogs.Show({"上書き", "t", Buttons::kOkCancel, Icon::kNone, Answer::kOk}),
            Answer::kCancel);
}

class ListFileDialogTest : public testing::Test {
 protected:
  OpenFileRequest request{"ＨＴＭＬ ファイル (*.htm)", "*.htm", true, ""};
  TestFolder folder;
};

TEST_F(ListFileDialogTest, ANewFileInAnExistingFolderIsTakenAsADrivePath) {
  QtDialogs dialogs = Dialogs();
  const QString chosen = QString::fromStdString(folder.Host("new.htm"));
  WhenShown<QFileDialog>([chosen](QFileDialog& dialog) {
    dialog.selectFile(chosen);
    static_cast<QDialog&>(dialog).accept();
  });
  EXPECT_EQ(dialogs.OpenFile(request), "C:" + folder.Host("new.htm"));
}

TEST_F(ListFileDialogTest, AMissingFolderIsRefused) {
  ListFileDialog dialog(nullptr, request);
  dialog.selectFile(QString::fromStdString(folder.Host("gone/new.htm")));
  WhenShown<QMessageBox>([](QMessageBox& box) { box.accept(); });
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(ListFileDialogTest, AnExistingFileIsTakenWithoutAQuestion) {
  ListFileDialog dialog(nullptr, request);
  dialog.selectFile(QString::fromStdString(folder.Put("old.htm")));
  bool asked = false;
  QTimer::singleShot(0, [&asked] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      asked = true;
      box->button(QMessageBox::Yes)->click();
    }
  });
  dialog.accept();
  QCoreApplication::processEvents();  // the look for a box ends either way
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(asked);
}

TEST_F(ListFileDialogTest, TheDialogOpensAtTheFolderOfWhatItIsGiven) {
  const std::string list = folder.Put("out/list.htm");
  QtDialogs dialogs = Dialogs();
  for (const auto& [given, opensIn, named] :
       {std::tuple{"C:" + list, folder.Host("out"), QString("list.htm")},
        {"C:" + folder.Host("out"), folder.Host("out"), QString()},
        {"C:" + folder.Host("out/new.htm"), folder.Host("out"), QString("new.htm")}}) {
    QString directory, name;
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
      directory = dialog.directory().absolutePath();
      name = dialog.findChild<QLineEdit*>("fileNameEdit")->text();
      dialog.reject();
    });
    request.startAt = given;
    dialogs.OpenFile(request);
    EXPECT_EQ(directory, QString::fromStdString(opensIn)) << given;
    EXPECT_EQ(name, named) << given;
  }
}

TEST_F(ListFileDialogTest, EachListShowsAFocusMarkWhenTabbedIntoAndStaysPut) {
  folder.Put("out/a.htm");
  folder.MakeFolder("out/sub");
  ListFileDialog dialog(nullptr, request, QString::fromStdString(folder.Host("out")));
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QTest::qWait(50);  // the folder is read in the background
  auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
  int lists = 0;
  for (QAbstractItemView* list : dialog.findChildren<QAbstractItemView*>()) {
    const bool tabbedTo = list->isVisible() && (list->focusPolicy() & Qt::TabFocus);
    if (!tabbedTo || list->model()->rowCount(list->rootIndex()) == 0) continue;
    ++lists;
    name->setFocus(Qt::TabFocusReason);
    const QImage before = list->grab().toImage();
    const QModelIndexList chosen = list->selectionModel()->selectedIndexes();
    list->setFocus(Qt::TabFocusReason);
    EXPECT_NE(list->grab().toImage(), before) << list->objectName().toStdString();
    EXPECT_EQ(list->selectionModel()->selectedIndexes(), chosen) << "tabbing in chooses nothing";
    EXPECT_EQ(dialog.directory().absolutePath(), QString::fromStdString(folder.Host("out")));
  }
  EXPECT_GE(lists, 2) << "the places and the folder's entries";
}

}  // namespace
}  // namespace zb
