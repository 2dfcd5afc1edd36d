#include "app/about_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "about/about_dialog.h"
#include "app/app_icon.h"
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

TEST(ApplicationIcon, IsTheProjectsOwnPicture) {
  const QImage icon = ApplicationIcon().pixmap(64, 64).toImage();
  ASSERT_FALSE(icon.isNull()) << "the SVG icon or Qt's SVG plugin is missing";
  // Drawn, not blank: its frame is opaque.
  EXPECT_EQ(icon.size(), QSize(64, 64));
  EXPECT_GT(qAlpha(icon.pixel(32, 60)), 0);
  EXPECT_EQ(QApplication::windowIcon().pixmap(64, 64).toImage(), icon);
}

TEST(AboutWindow, OpensFromTheHelpMenuShowsTheVersionAndClosesOnOk) {
  ViewFixture<> f;
  f.program.ShowAboutDialog = [&f] { ShowAboutWindow(&f.window, f.platform); };
  QString title;
  QStringList labels;
  QImage icon;
  bool startedSysInfo = false;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    for (QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
    if (auto* picIcon = dialog->findChild<QLabel*>("picIcon")) icon = picIcon->pixmap().toImage();
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
  EXPECT_EQ(icon, ApplicationIcon().pixmap(48, 48).toImage());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace zb
