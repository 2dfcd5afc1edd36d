#include "scan/picture_fit.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

struct FitCase {
  float width, height;
  int box;
  int wantWidth, wantHeight;
};

class FitIntoBoxTest : public testing::TestWithParam<FitCase> {};

TEST_P(FitIntoBoxTest, KeepsProportionsAndFitsTheLongerSide) {
  const FitCase& c = GetParam();
  const FittedSize got = FitIntoBox(c.width, c.height, c.box);
  EXPECT_EQ(got.width, c.wantWidth);
  EXPECT_EQ(got.height, c.wantHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, FitIntoBoxTest,
    testing::Values(FitCase{640, 480, 100, 100, 75},  // reduced
                    FitCase{640, 479, 100, 100, 75},  // 74.84 rounds to the nearest
                    FitCase{479, 640, 100, 75, 100},
                    FitCase{80, 60, 100, 80, 60},      // fits: kept as measured
                    FitCase{150, 120, 120, 120, 96},   // JPEG measured in pixels
                    FitCase{100, 80, 120, 100, 80},    // small pictures are not blown up
                    FitCase{480, 640, 100, 75, 100},   // portrait
                    FitCase{640, 0, 100, 100, 100},    // no height: the whole box
                    FitCase{0, 0, 120, 120, 120},      // unmeasurable: the whole box
                    FitCase{40000, 10, 100, 100, 0},   // extreme panorama
                    FitCase{100, 100, 100, 100, 100},  // exactly the box
                    FitCase{250, 125, 100, 100, 50},
                    // 5 x 3 into 2: 2 x 1.2, and 3 x 5 into 2 gives 1.2 x 2
                    FitCase{5, 3, 2, 2, 1}, FitCase{3, 5, 2, 1, 2},
                    // 7 x 5 into 2 is 2 x 1.43; 5 x 1 into 2 is 2 x 0.4
                    FitCase{7, 5, 2, 2, 1}, FitCase{5, 1, 2, 2, 0}, FitCase{10, 5, 4, 4, 2},
                    FitCase{400, 50, 100, 100, 12}  // 12.5 rounds to 12
                    ));

}  // namespace
}  // namespace zb
