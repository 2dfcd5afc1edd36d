#include "app/about_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "about/about_dialog.h"
#include "app/view_test_fixture.h"
#include "window/program.h"

namespace zb {
namespace {

QPushButton* ButtonLabelled(QWidget* dialog, const QString& text) {
  for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

TEST(AboutWindow, OpensFromTheHelpMenuShowsTheVersionAndClosesOnOk) {
  ViewFixture<> f;
  f.program.ShowAboutDialog = [&f] { ShowAboutWindow(&f.window, f.platform); };
  QString title;
  QStringList labels;
  bool startedSysInfo = false;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    for (QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
    f.fakeSystem.registry[{kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"}] =
        "C:\\bin\\sysinfo";
    QPushButton* sysInfo = ButtonLabelled(dialog, QString::fromUtf8("ｼｽﾃﾑ情報(&S)..."));
    ASSERT_NE(sysInfo, nullptr);
    sysInfo->click();
    startedSysInfo = !f.fakeSystem.startedPrograms.empty();
    QPushButton* ok = ButtonLabelled(dialog, "OK");
    ASSERT_NE(ok, nullptr);
    ok->click();
  });
  f.form.mnuHelpItem[1].Choose();  // returns once the dialog is closed
  EXPECT_EQ(title, QString::fromUtf8("Zorbelleのﾊﾞｰｼﾞｮﾝ情報"));
  EXPECT_TRUE(labels.contains(QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ 4.2.1")));
  EXPECT_TRUE(startedSysInfo);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace zb
