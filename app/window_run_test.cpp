// Runs started from the window, with the window's own event loop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "app/view_test_fixture.h"
#include "context/run_messages.h"
#include "platform/qt/qt_text.h"
#include "settings/crash_marker.h"

namespace zb {
namespace {

class WindowRunTest : public testing::Test, public ViewFixture<> {
 protected:
  WindowRunTest() {
    for (int i = 0; i < 5; ++i) folder.Put("pics/n" + std::to_string(i) + ".txt", "x");
    folder.Put("pics/p.gif", std::string("GIF89a\x10\x00\x08\x00", 10));
    OpenFolder("pics");
    form.chkSameDir.SetValue(1);
  }
  // Stop is pressed as soon as the run first lets the window's events run.
  void StartAndStop() {
    QTimer::singleShot(0, Widget(form.cmdStop), [this] {
      EXPECT_TRUE(Widget(form.cmdStop)->isEnabled());
      EXPECT_FALSE(Widget(form.cmdStart)->isEnabled());
      QTest::mouseClick(Widget(form.cmdStop), Qt::LeftButton);
    });
    QTest::mouseClick(Widget(form.cmdStart), Qt::LeftButton);
  }
  QString Comment() const { return Widget<QLabel>(form.LblComment)->text(); }
};

TEST_F(WindowRunTest, StopAnsweredNoLetsTheRunFinishYesEndsIt) {
  dialogs.answers = {Answer::kNo};
  StartAndStop();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(Comment().startsWith("処理が正常に終了して、1個の画像ファイル"));
  EXPECT_EQ(Widget<QLabel>(form.LblFileCount)->text(), "6");
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0].document, "C:\\pics\\_gazlist.htm");
  EXPECT_FALSE(folder.Contents("pics/_gazlist.htm").empty());
  EXPECT_TRUE(Widget(form.cmdView)->isEnabled());
  EXPECT_TRUE(Widget(form.lblAnnai[1])->isVisibleTo(&window));

  dialogs.shown.clear();
  shell.opened.clear();
  dialogs.answers = {Answer::kYes};
  StartAndStop();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, StopQuestion().text);
  EXPECT_TRUE(Comment().startsWith(ToQt(kStoppedText)));
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_TRUE(Widget(form.cmdStart)->isEnabled());
  EXPECT_FALSE(Widget(form.cmdStop)->isEnabled());
}

TEST_F(WindowRunTest, AStatusTooLongForTheLabelIsWholeInItsToolTip) {
  auto* comment = Widget<QLabel>(form.LblComment);
  EXPECT_TRUE(comment->toolTip().isEmpty());
  const std::string path = "C:\\" + std::string(400, 'x') + "\\a.jpg";
  form.LblComment.SetCaption(path);
  EXPECT_EQ(comment->toolTip(), ToQt(path));
  form.LblComment.SetCaption("short");
  EXPECT_TRUE(comment->toolTip().isEmpty());
}

TEST_F(WindowRunTest, F5SearchesTheFolderBeingTypedAndTheMenuKeepsAHalfTypedOne) {
  folder.Put("gif/b.gif", std::string("GIF89a\x10\x00\x08\x00", 10));
  auto* field = Widget<QLineEdit>(form.txtOLEKensaku);
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, "C");
  // Walking the menus from the keyboard and backing out is no leaving.
  QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);
  QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
  QTest::keyClick(window.menuBar(), Qt::Key_Escape);
  EXPECT_EQ(field->text(), "C");
  EXPECT_EQ(form.txtOLEKensaku.Text(), "C");
  QTest::keyClicks(field, ":\\gif");
  QTest::keyClick(field, Qt::Key_F5);
  EXPECT_EQ(program.session.run.SearchRoot, "C:\\gif\\");
  EXPECT_EQ(field->text(), "C:\\gif");
  EXPECT_FALSE(folder.Contents("gif/_gazlist.htm").empty());
  EXPECT_TRUE(folder.Contents("pics/_gazlist.htm").empty());
}

// Ends the process at once, telling how the run ended.
class EndingSystem : public FakeSystem {
 public:
  using FakeSystem::FakeSystem;
  void EndProgram(int exitCode) override {
    std::fprintf(stderr, "ended %s after %d files; list page %s; marker \"%s\"\n",
                 program->session.lastOutcome == RunOutcome::kStopped ? "stopped" : "otherwise",
                 program->session.run.FileCount, listPage().empty() ? "missing" : "written",
                 settings->Read("Zorbelle", kCrashMarkerSection, kCrashMarkerKey, "").c_str());
    std::_Exit(exitCode);
  }
  Program* program = nullptr;
  SettingsStore* settings = nullptr;
  std::function<std::string()> listPage;
};

TEST(WindowCloseTest, ClosingTheWindowMidRunStopsTheRunInOrderThenEnds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        ViewFixture<EndingSystem> view;
        view.fakeSystem.program = &view.program;
        view.fakeSystem.settings = &view.settings;
        view.fakeSystem.listPage = [&view] { return view.folder.Contents("pics/_gazlist.htm"); };
        for (int i = 0; i < 50; ++i)
          view.folder.Put("pics/n" + std::to_string(i) + ".gif", "GIF89a");
        view.OpenFolder("pics");
        view.form.chkSameDir.SetValue(1);
        QTimer::singleShot(0, &view.window, [&view] { view.window.close(); });
        view.form.cmdStart.Press();
        std::fprintf(stderr, "the program went on\n");
      },
      testing::ExitedWithCode(0),
      "ended stopped after [0-9] files; list page written; marker \"\"");
}

}  // namespace
}  // namespace zb
