#include "decoding/page_background.h"

#include <cstddef>

namespace zb {

PicturePixels OnPageBackground(const std::uint8_t* pixels, int width, int height, int channels) {
  const std::size_t count = static_cast<std::size_t>(width) * height;
  PicturePixels out{width, height, {}};
  if (channels == 3) {
    out.rgb.assign(pixels, pixels + count * 3);
    return out;
  }
  out.rgb.resize(count * 3);
  std::uint8_t* rgb = out.rgb.data();
  for (std::size_t i = 0; i < count; ++i, pixels += 4, rgb += 3) {
    const unsigned alpha = pixels[3];
    for (int c = 0; c < 3; ++c) {
      rgb[c] = static_cast<std::uint8_t>(
          (pixels[c] * alpha + kPageBackground * (255u - alpha) + 127) / 255);
    }
  }
  return out;
}

}  // namespace zb
