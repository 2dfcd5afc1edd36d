#include "gallery/signed_number.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

TEST(SignedNumberTest, SignPositionHoldsASpaceOrAMinus) {
  EXPECT_EQ(SignedNumber(120), " 120");
  EXPECT_EQ(SignedNumber(0), " 0");
  EXPECT_EQ(SignedNumber(-5), "-5");
}

}  // namespace
}  // namespace zb
