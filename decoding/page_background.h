#pragma once

#include <cstdint>

#include "decoding/picture_pixels.h"

namespace zb {

// The gallery pages' background (BGCOLOR="white"), under every thumbnail.
inline constexpr std::uint8_t kPageBackground = 255;

// Pixels of 3 bytes (RGB) or 4 (RGBA, not premultiplied) as RGB, each laid
// on the page's background as a browser lays the original there.
PicturePixels OnPageBackground(const std::uint8_t* pixels, int width, int height, int channels);

}  // namespace zb
