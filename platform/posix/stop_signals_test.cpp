#include "cli/stop_on_interrupt.h"

#include <gtest/gtest.h>

#include <csignal>

#include "platform/fake/fake_program.h"

namespace zb {
namespace {

TEST(StopOnInterrupt, CtrlCIsAConfirmedStopThatStillWritesTheListPage) {
  FakeProgram f;
  for (int i = 0; i < 10; ++i) f.files.AddFile("C:\\pics\\" + std::to_string(i) + ".jpg");
  StopOnInterrupt interrupt(f.program, [&] { f.host.dialogs.answers.push_front(Answer::kYes); });
  bool pressed = false;
  f.host.system.onYield = [&] {
    if (f.run.FileCount == 4 && !pressed) {
      pressed = true;
      std::raise(SIGINT);
    }
    interrupt.Poll();
  };
  f.Start();
  EXPECT_EQ(f.program.lastOutcome, RunOutcome::kStopped);
  EXPECT_EQ(f.run.RunState, 2);
  EXPECT_EQ(f.run.FileCount, 4);
  EXPECT_TRUE(f.files.Exists("C:\\pics\\_gazlist.htm"));
  // The second Ctrl-C would end the program: the handler is back to default.
  EXPECT_EQ(std::signal(SIGINT, SIG_DFL), SIG_DFL);
}

}  // namespace
}  // namespace zb
