#include "platform/posix/whole_transfers.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace zb {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class ReadFullyBeforeTest : public testing::Test {
 protected:
  ReadFullyBeforeTest() { EXPECT_EQ(pipe(ends_), 0); }
  ~ReadFullyBeforeTest() override {
    close(ends_[0]);
    if (ends_[1] >= 0) close(ends_[1]);
  }
  void Write(const std::string& bytes) {
    ASSERT_TRUE(WriteFully(ends_[1], bytes.data(), bytes.size()));
  }
  void CloseWriter() {
    close(ends_[1]);
    ends_[1] = -1;
  }
  bool Read(std::string& into, milliseconds patience) {
    return ReadFullyBefore(ends_[0], into.data(), into.size(), Clock::now() + patience);
  }

  int ends_[2] = {-1, -1};
};

TEST_F(ReadFullyBeforeTest, TakesEveryByteThatIsThere) {
  Write("answer");
  std::string into(6, '\0');
  EXPECT_TRUE(Read(into, milliseconds(1000)));
  EXPECT_EQ(into, "answer");
}

TEST_F(ReadFullyBeforeTest, AWriterThatStopsHalfWayHoldsNoOnePastTheDeadline) {
  Write("ans");
  std::string into(6, '\0');
  const Clock::time_point start = Clock::now();
  EXPECT_FALSE(Read(into, milliseconds(100)));
  const auto waited = Clock::now() - start;
  EXPECT_GE(waited, milliseconds(90));
  EXPECT_LT(waited, milliseconds(5000));
}

TEST_F(ReadFullyBeforeTest, AnEndBeforeTheWholeIsAFailureAtOnce) {
  Write("ans");
  CloseWriter();
  std::string into(6, '\0');
  const Clock::time_point start = Clock::now();
  EXPECT_FALSE(Read(into, milliseconds(10000)));
  EXPECT_LT(Clock::now() - start, milliseconds(5000));
}

}  // namespace
}  // namespace zb
