#include "platform/posix/whole_transfers.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace zb {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A writer that stops half way holds no one past the deadline; one that ends
// half way is a failure at once.
TEST(ReadFullyBefore, TakesTheWholeOrFailsByTheDeadline) {
  const struct {
    const char* written;
    bool ended;
    milliseconds patience, atLeast;
    bool whole;
  } cases[] = {
      {"answer", false, milliseconds(1000), milliseconds(0), true},
      {"ans", false, milliseconds(100), milliseconds(90), false},
      {"ans", true, milliseconds(10000), milliseconds(0), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.written) + (c.ended ? " ended" : ""));
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const std::string bytes = c.written;
    ASSERT_TRUE(WriteFully(ends[1], bytes.data(), bytes.size()));
    if (c.ended) close(ends[1]);
    std::string into(6, '\0');
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(ReadFullyBefore(ends[0], into.data(), into.size(), start + c.patience), c.whole);
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, c.atLeast);
    EXPECT_LT(waited, milliseconds(5000));
    EXPECT_EQ(into == "answer", c.whole);
    close(ends[0]);
    if (!c.ended) close(ends[1]);
  }
}

}  // namespace
}  // namespace zb
