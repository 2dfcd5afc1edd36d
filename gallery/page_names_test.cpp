#include "gallery/page_names.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

TEST(PageNamesTest, NumbersAreZeroPaddedToAtLeastFourDigits) {
  for (std::int32_t k = 0; k <= 10000; ++k) {
    std::string digits = std::to_string(k);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    ASSERT_EQ(PageName(k), "_gaz" + digits + ".htm");
    ASSERT_EQ(ReducedPageName(k), "_gaz" + digits + ".html");
    ASSERT_EQ(PageNumber(k), digits);
  }
  EXPECT_EQ(PageName(12345), "_gaz12345.htm");
}

TEST(PageNamesTest, OnlyNamesExactlyAsThePagesAreNamedGiveTheirPair) {
  EXPECT_EQ(PairOfPageName("_gaz0000.htm"), 0);
  EXPECT_EQ(PairOfPageName("_gaz0042.html"), 42);
  EXPECT_EQ(PairOfPageName("_gaz12345.htm"), 12345);
  EXPECT_EQ(PairOfPageName("_gaz2147483647.html"), 2147483647);
  for (const char* other :
       {"_gaz042.htm", "_gaz00042.htm", "_gaz-001.htm", "_gaz+001.htm", "_gaz0001.htmll",
        "_gaz0001.htm.bak", "_GAZ0001.htm", "_gaz0001.HTM", "_gaz0001", "_gaz.htm", "gaz0001.htm",
        "_gaz2147483648.htm", "_gazlist.htm", "_gaz 001.htm"}) {
    EXPECT_EQ(PairOfPageName(other), std::nullopt) << other;
  }
}

}  // namespace
}  // namespace zb
