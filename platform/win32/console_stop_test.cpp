#include "platform/win32/console_stop.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

// The event reaches every process of the console's group: this test's own
// group, which a test runner starts apart.
TEST(ConsoleStopTest, CtrlBreakBecomesAStopRequestInsteadOfAnEnd) {
  ConsoleStop stop;
  EXPECT_FALSE(stop.Requested());
  // A test runner without a console gets one of its own.
  if (!GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0) &&
      !(AllocConsole() && GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0))) {
    GTEST_SKIP() << "no console to signal";
  }
  EXPECT_EQ(WaitForSingleObject(stop.WakeEvent(), 10000), WAIT_OBJECT_0);
  EXPECT_TRUE(stop.Requested());
}

}  // namespace
}  // namespace zb
