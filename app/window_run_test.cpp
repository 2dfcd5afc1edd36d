// Runs started from the window, with the window's own event loop.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "app/view_test_fixture.h"
#include "app/wrapping_label.h"
#include "platform/qt/qt_text.h"
#include "run/messages.h"
#include "run/run_driver.h"

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

TEST_F(WindowRunTest, StopAnsweredYesEndsTheRunWithoutOpeningAnything) {
  dialogs.answers = {Answer::kYes};
  StartAndStop();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, StopQuestion().text);
  EXPECT_TRUE(Comment().startsWith(ToQt(kStoppedText)));
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_TRUE(Widget(form.cmdStart)->isEnabled());
  EXPECT_FALSE(Widget(form.cmdStop)->isEnabled());
}

TEST_F(WindowRunTest, StopAnsweredNoLetsTheRunFinish) {
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
}

TEST_F(WindowRunTest, EveryStatusTextTheProgramSetsCanBeReadWhole) {
  auto* comment = dynamic_cast<WrappingLabel*>(Widget<QLabel>(form.LblComment));
  ASSERT_NE(comment, nullptr);
  QStringList cut;
  auto check = [&] {
    if (!comment->TextFits()) cut << comment->text();
  };
  check();  // the start-up caption with its contact address
  dialogs.answers = {Answer::kNo};
  StartAndStop();
  check();  // completion with the elapsed time
  dialogs.answers = {Answer::kYes};
  StartAndStop();
  check();  // the stop text with the elapsed time
  form.chkGazoHtml.SetValue(1);
  program.run.ImageCount = 99999999;
  program.run.RunState = 0;
  ReportCompletion(program);
  form.LblComment.SetCaption(form.LblComment.Caption() + "  " +
                             FormatElapsed(std::chrono::hours(999)));
  check();  // the longest completion text there can be
  EXPECT_THAT(cut, testing::IsEmpty());
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

// Ends the process at once, telling how far the run got.
class EndingSystem : public FakeSystem {
 public:
  using FakeSystem::FakeSystem;
  void EndProgram(int exitCode) override {
    std::fprintf(stderr, "ended with %d files done\n", program->run.FileCount);
    std::_Exit(exitCode);
  }
  Program* program = nullptr;
};

TEST(WindowCloseTest, ClosingTheWindowMidRunEndsTheProgramAtOnce) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        ViewFixture<EndingSystem> view;
        view.fakeSystem.program = &view.program;
        for (int i = 0; i < 50; ++i) view.folder.Put("pics/n" + std::to_string(i) + ".txt");
        view.OpenFolder("pics");
        QTimer::singleShot(0, &view.window, [&view] { view.window.close(); });
        view.form.cmdStart.Press();
        std::fprintf(stderr, "the run went on\n");
      },
      testing::ExitedWithCode(0), "ended with 0 files done");
}

}  // namespace
}  // namespace zb
