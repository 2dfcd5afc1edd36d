#include "app/qt_stop_signals.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTimer>
#include <csignal>

#include "app/view_test_fixture.h"

namespace zb {
namespace {

class QtStopSignalsTest : public testing::Test, public ViewFixture<> {
 protected:
  QtStopSignalsTest() {
    for (int i = 0; i < 50; ++i) folder.Put("pics/p" + std::to_string(i) + ".gif", "GIF89a");
    OpenFolder("pics");
    form.chkSameDir.SetValue(1);
  }
};

// The window's run ends as after a confirmed stop, and the window closes
// only once the run has unwound.
TEST_F(QtStopSignalsTest, TermStopsTheRunInOrderThenClosesTheWindow) {
  bool closed = false;
  bool runWasOver = false;
  QtStopSignals stopSignals(program, [&] {
    closed = true;
    runWasOver = !program.session.run.Active;
  });
  QTimer::singleShot(0, [] { std::raise(SIGTERM); });
  QTest::mouseClick(Widget(form.cmdStart), Qt::LeftButton);
  EXPECT_EQ(program.session.lastOutcome, RunOutcome::kStopped);
  EXPECT_LT(program.session.run.FileCount, 50);
  EXPECT_TRUE(dialogs.shown.empty()) << "a signal asks nothing";
  EXPECT_FALSE(folder.Contents("pics/_gazlist.htm").empty());
  EXPECT_TRUE(QTest::qWaitFor([&] { return closed; }, 5000));
  EXPECT_TRUE(runWasOver);
}

TEST_F(QtStopSignalsTest, HupWithNoRunClosesTheWindow) {
  bool closed = false;
  QtStopSignals stopSignals(program, [&] { closed = true; });
  std::raise(SIGHUP);
  EXPECT_TRUE(QTest::qWaitFor([&] { return closed; }, 5000));
  EXPECT_EQ(program.session.lastOutcome, RunOutcome::kNone);
}

}  // namespace
}  // namespace zb
