#include "decoding/lanczos_resampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace zb {
namespace {

// A grey picture whose value at (x, y) is `value(x, y)`.
PicturePixels Grey(int width, int height, const std::function<double(int, int)>& value) {
  PicturePixels p{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      p.rgb.insert(p.rgb.end(), 3, static_cast<std::uint8_t>(std::lround(value(x, y))));
    }
  }
  return p;
}

int At(const PicturePixels& p, int x, int y) {
  return p.rgb[(static_cast<std::size_t>(y) * p.width + x) * 3];
}

TEST(LanczosResampler, AnEvenColourStaysExactlyItselfEdgesIncluded) {
  const PicturePixels out = LanczosResampled(Grey(301, 97, [](int, int) { return 200; }), 37, 11);
  ASSERT_EQ(out.rgb.size(), std::size_t{37} * 11 * 3);
  for (std::uint8_t v : out.rgb) ASSERT_EQ(v, 200);
}

TEST(LanczosResampler, AnEdgeStaysWhereItWas) {
  // Black left of x = 200, white from it; a quarter the size puts the edge
  // between columns 49 and 50, their values mirroring each other.
  const PicturePixels out =
      LanczosResampled(Grey(400, 8, [](int x, int) { return x < 200 ? 0 : 255; }), 100, 2);
  EXPECT_LE(At(out, 47, 1), 5);
  EXPECT_GE(At(out, 52, 1), 250);
  EXPECT_NEAR(At(out, 49, 1) + At(out, 50, 1), 255, 2);
}

TEST(LanczosResampler, DetailTheSmallerSizeCanHoldKeepsItsContrast) {
  // Waves of 12 pixels become waves of 4: Lanczos-3 keeps seven eighths of
  // their swing, Catmull-Rom four fifths, Mitchell's filter three quarters.
  const auto wave = [](int x, int) {
    return 127.5 + 100 * std::cos(2 * std::numbers::pi * x / 12);
  };
  const PicturePixels out = LanczosResampled(Grey(1200, 6, wave), 400, 2);
  int low = 255, high = 0;
  for (int x = 50; x < 350; ++x) {
    low = std::min(low, At(out, x, 1));
    high = std::max(high, At(out, x, 1));
  }
  EXPECT_GE(high - low, 170);
}

TEST(LanczosResampler, DetailTooFineForTheSmallerSizeBecomesEven) {
  // Stripes of one pixel would alias into coarse bands if the filter were
  // not widened by the reduction.
  const PicturePixels out =
      LanczosResampled(Grey(900, 9, [](int x, int) { return x % 2 ? 255 : 0; }), 200, 2);
  for (int x = 5; x < 195; ++x) EXPECT_NEAR(At(out, x, 1), 127, 8) << x;
}

}  // namespace
}  // namespace zb
