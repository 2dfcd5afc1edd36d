#include "decoding/picture_pixels.h"

#include <utility>

#include "decoding/lanczos_resampler.h"
#include "thumbnail/thumbnail_names.h"

namespace zb {

PicturePixels Oriented(PicturePixels in, int orientation) {
  if (orientation < 2 || orientation > 8) return in;
  // Orientations 5 to 8 swap the sides.
  const bool transpose = orientation >= 5;
  PicturePixels out;
  out.width = transpose ? in.height : in.width;
  out.height = transpose ? in.width : in.height;
  out.rgb.resize(in.rgb.size());
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      // The source pixel shown at (x, y).
      int sx = transpose ? y : x;
      int sy = transpose ? x : y;
      switch (orientation) {
        case 2:
          sx = in.width - 1 - sx;
          break;
        case 3:
          sx = in.width - 1 - sx;
          sy = in.height - 1 - sy;
          break;
        case 4:
          sy = in.height - 1 - sy;
          break;
        case 5:
          break;
        case 6:
          sy = in.height - 1 - sy;
          break;
        case 7:
          sx = in.width - 1 - sx;
          sy = in.height - 1 - sy;
          break;
        case 8:
          sx = in.width - 1 - sx;
          break;
      }
      const auto from = (static_cast<std::size_t>(sy) * in.width + sx) * 3;
      const auto to = (static_cast<std::size_t>(y) * out.width + x) * 3;
      out.rgb[to] = in.rgb[from];
      out.rgb[to + 1] = in.rgb[from + 1];
      out.rgb[to + 2] = in.rgb[from + 2];
    }
  }
  return out;
}

int OrientationOfRotation(int quarterTurns, int mirrorMode) {
  static constexpr int kTable[4][3] = {{1, 4, 2}, {8, 5, 7}, {3, 2, 4}, {6, 7, 5}};
  return kTable[quarterTurns & 3][mirrorMode < 0 ? 0 : 1 + (mirrorMode & 1)];
}

PicturePixels Reduced(PicturePixels in, int side) {
  const ThumbnailSize size = ThumbnailSizeFor(in.width, in.height, side);
  if (size.width == in.width && size.height == in.height) return in;
  // On the stored values, not in linear light: it is what browsers and
  // vipsthumbnail do, and it keeps fine detail closest to them.
  return LanczosResampled(in, size.width, size.height);
}

}  // namespace zb
