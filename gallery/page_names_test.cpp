#include "gallery/page_names.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

TEST(PageNamesTest, NumbersHaveAtLeastFourDigits) {
  EXPECT_EQ(PageName(0), "_gaz0000.htm");
  EXPECT_EQ(ReducedPageName(42), "_gaz0042.html");
  EXPECT_EQ(PageName(100), "_gaz0100.htm");
  EXPECT_EQ(ReducedPageName(999), "_gaz0999.html");
  EXPECT_EQ(PageName(9999), "_gaz9999.htm");
  EXPECT_EQ(PageName(12345), "_gaz12345.htm");
}

TEST(PageNamesTest, EveryPairUpToTenThousandIsZeroPaddedToFourDigits) {
  for (std::int32_t k = 0; k <= 10000; ++k) {
    std::string digits = std::to_string(k);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    ASSERT_EQ(PageName(k), "_gaz" + digits + ".htm");
    ASSERT_EQ(ReducedPageName(k), "_gaz" + digits + ".html");
    ASSERT_EQ(PageNumber(k), digits);
  }
}

}  // namespace
}  // namespace zb
