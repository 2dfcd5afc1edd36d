#pragma once

#include <cstdint>
#include <vector>

namespace zb {

// Decoded pixels, three bytes (RGB) each, rows top to bottom.
struct PicturePixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

// Turns pixels as stored into pixels as shown, for an EXIF orientation 1-8
// (the same transforms stand for AVIF's rotation and mirror).
PicturePixels Oriented(PicturePixels pixels, int orientation);
// The EXIF orientation of an AVIF rotation (quarter turns anti-clockwise,
// 0-3) followed by a mirror (mode 0 exchanges top and bottom, 1 left and
// right, -1 none).
int OrientationOfRotation(int quarterTurns, int mirrorMode);
// Resamples so that the longest side is at most `side` (never enlarged),
// with a Lanczos-3 filter.
PicturePixels Reduced(PicturePixels pixels, int side);

}  // namespace zb
