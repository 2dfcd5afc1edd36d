// Writes a HEIC for the HEIC scripts: a photo-like picture (soft gradients
// under fine noise), red on its left half and blue on its right so that a
// turn shows, stored with irot/imir for an EXIF orientation.
//
// usage: make_heic WIDTH HEIGHT ORIENTATION(1-8) OUT.heic
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "testing/test_heic.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: make_heic WIDTH HEIGHT ORIENTATION OUT.heic\n");
    return 2;
  }
  const int width = std::atoi(argv[1]);
  const int height = std::atoi(argv[2]);
  const int orientation = std::atoi(argv[3]);
  if (width <= 0 || height <= 0 || orientation < 1 || orientation > 8) return 2;
  zb::PicturePixels picture{width, height,
                            std::vector<std::uint8_t>(std::size_t{3} * width * height)};
  std::uint32_t noise = 12345;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int grain = static_cast<int>(noise >> 28) - 8;
      const int shade = 40 + 60 * y / height + grain;
      std::uint8_t* px = &picture.rgb[(std::size_t{1} * y * width + x) * 3];
      const bool left = x < width / 2;
      px[0] = static_cast<std::uint8_t>(left ? 200 + grain : shade);
      px[1] = static_cast<std::uint8_t>(shade);
      px[2] = static_cast<std::uint8_t>(left ? shade : 200 + grain);
    }
  }
  const std::string heic = zb::Heic(picture, static_cast<heif_orientation>(orientation));
  if (heic.empty() || !std::ofstream(argv[4], std::ios::binary).write(heic.data(), heic.size())) {
    std::fprintf(stderr, "make_heic: %s not written\n", argv[4]);
    return 1;
  }
  return 0;
}
