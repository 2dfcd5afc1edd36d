#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace zb {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
};

// A BMP file (rows bottom-up, each padded to four bytes), for pictures a
// test describes pixel by pixel: 24 bits of colour each, or 1 bit (black)
// for large pictures that cost little to store.
inline std::vector<std::uint8_t> BmpOf(int width, int height, int bitsPerPixel,
                                       const std::function<Rgb(int x, int y)>& colour = {}) {
  const std::uint32_t row = (static_cast<std::uint32_t>(width) * bitsPerPixel + 31) / 32 * 4;
  const std::uint32_t palette = bitsPerPixel == 1 ? 8 : 0;
  const std::uint32_t offset = 14 + 40 + palette;
  const std::uint32_t size = offset + row * static_cast<std::uint32_t>(height);
  std::vector<std::uint8_t> bmp(size);
  const auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put(2, size, 4);
  put(10, offset, 4);
  put(14, 40, 4);
  put(18, static_cast<std::uint32_t>(width), 4);
  put(22, static_cast<std::uint32_t>(height), 4);
  put(26, 1, 2);
  put(28, static_cast<std::uint32_t>(bitsPerPixel), 2);
  if (bitsPerPixel == 1) put(54 + 4, 0xFFFFFF, 3);  // index 1 is white
  if (bitsPerPixel != 24) return bmp;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* line = bmp.data() + offset + row * static_cast<std::uint32_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const Rgb c = colour(x, y);
      line[3 * x] = c.b;
      line[3 * x + 1] = c.g;
      line[3 * x + 2] = c.r;
    }
  }
  return bmp;
}

}  // namespace zb
