#include "platform/posix/posix_terminal.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace zb {
namespace {

struct Pipe {
  Pipe() { EXPECT_EQ(pipe(ends), 0); }
  ~Pipe() {
    for (const int end : ends) close(end);
  }
  int ends[2] = {-1, -1};
};

class PosixTerminalTest : public testing::Test {
 protected:
  void Type(const std::string& text) {
    ASSERT_EQ(write(input_.ends[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }

  Pipe input_;
  Pipe wake_;
  PosixTerminal terminal_{input_.ends[0], input_.ends[0], input_.ends[0], wake_.ends[0]};
};

TEST_F(PosixTerminalTest, ReadsALineAtATimeKeepingItsFirstBytes) {
  Type("yes\n  no \r\n" + std::string(40, 'x') + "\nnext\nunended");
  close(input_.ends[1]);
  input_.ends[1] = -1;
  EXPECT_EQ(terminal_.ReadLine(17), "yes");
  EXPECT_EQ(terminal_.ReadLine(17), "  no \r");
  EXPECT_EQ(terminal_.ReadLine(17), std::string(17, 'x'));
  EXPECT_EQ(terminal_.ReadLine(17), "next");  // what followed the long line's end
  EXPECT_EQ(terminal_.ReadLine(17), std::nullopt);
  EXPECT_FALSE(terminal_.Answerable());  // a pipe is no terminal
}

TEST_F(PosixTerminalTest, AStopSignalEndsTheWaitForAnAnswer) {
  EXPECT_FALSE(terminal_.StopSignalled());
  ASSERT_EQ(write(wake_.ends[1], "!", 1), 1);
  EXPECT_TRUE(terminal_.StopSignalled());
  Type("yes\n");
  EXPECT_EQ(terminal_.ReadLine(17), std::nullopt);
}

}  // namespace
}  // namespace zb
