#include "text/text_util.h"

#include <gtest/gtest.h>

#include "run/run_driver.h"

namespace zb {
namespace {

TEST(TextUtil, TrimsAtTheFirstNul) {
  EXPECT_EQ(TrimAtNul(std::string("C:\\WINDOWS\0\0junk", 16)), "C:\\WINDOWS");
  EXPECT_EQ(TrimAtNul("no nul"), "no nul");
  EXPECT_EQ(TrimAtNul(std::string("\0x", 2)), "");
}

TEST(TextUtil, ParsesWholeNumbersOnly) {
  long v = -1;
  EXPECT_TRUE(ParseInt("100", v));
  EXPECT_EQ(v, 100);
  EXPECT_TRUE(ParseInt(" -3 ", v));
  EXPECT_EQ(v, -3);
  for (const char* junk : {"", "abc", "12abc", "1.5", "99999999999999999999999"}) {
    v = 7;
    EXPECT_FALSE(ParseInt(junk, v)) << junk;
    EXPECT_EQ(v, 7) << junk;
  }
}

TEST(ElapsedTime, IsHoursMinutesSecondsModuloOneDay) {
  using namespace std::chrono;
  EXPECT_EQ(FormatElapsed(seconds(0)), "00:00:00");
  EXPECT_EQ(FormatElapsed(seconds(3723)), "01:02:03");
  EXPECT_EQ(FormatElapsed(milliseconds(59999)), "00:00:59");
  EXPECT_EQ(FormatElapsed(hours(25) + minutes(1)), "01:01:00");
}

}  // namespace
}  // namespace zb
