#include "gallery/page_names.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

TEST(PageNamesTest, NumbersHaveAtLeastFourDigits) {
  EXPECT_EQ(PageName(0), "_gaz0000.htm");
  EXPECT_EQ(ReducedPageName(42), "_gaz0042.html");
  EXPECT_EQ(PageName(9999), "_gaz9999.htm");
  EXPECT_EQ(PageName(12345), "_gaz12345.htm");
}

}  // namespace
}  // namespace zb
