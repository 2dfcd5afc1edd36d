#include "text/text_util.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

TEST(TextUtil, TrimsAtTheFirstNul) {
  EXPECT_EQ(TrimAtNul(std::string("C:\\WINDOWS\0\0junk", 16)), "C:\\WINDOWS");
  EXPECT_EQ(TrimAtNul("no nul"), "no nul");
  EXPECT_EQ(TrimAtNul(std::string("\0x", 2)), "");
}

TEST(TextUtil, ParsesWholeNumbersOnly) {
  std::int32_t v = -1;
  EXPECT_TRUE(ParseInt("100", v));
  EXPECT_EQ(v, 100);
  EXPECT_TRUE(ParseInt(" -3 ", v));
  EXPECT_EQ(v, -3);
  EXPECT_TRUE(ParseInt("2147483647", v));
  EXPECT_EQ(v, 2147483647);
  EXPECT_TRUE(ParseInt("-2147483648", v));
  EXPECT_EQ(v, -2147483647 - 1);
  for (const char* junk :
       {"", "abc", "12abc", "1.5", "2147483648", "-2147483649", "99999999999999999999999"}) {
    v = 7;
    EXPECT_FALSE(ParseInt(junk, v)) << junk;
    EXPECT_EQ(v, 7) << junk;
  }
}

}  // namespace
}  // namespace zb
