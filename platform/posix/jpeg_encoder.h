#pragma once

#include <cstdint>
#include <vector>

#include "platform/posix/picture_pixels.h"

namespace zb {

// A baseline JPEG of the pixels; empty when they cannot be encoded.
std::vector<std::uint8_t> EncodeJpeg(const PicturePixels& pixels, int quality);

}  // namespace zb
