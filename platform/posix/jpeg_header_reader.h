#pragma once

#include <cstddef>
#include <optional>

#include "platform/picture_loader.h"

namespace zb {

// A JPEG's frame size from libjpeg's header reader, without decoding the
// picture. buffer holds the first `filled` bytes of the file; further bytes
// are read from fd into it. Empty for anything libjpeg rejects, a cut file
// included; libjpeg's errors never end the process.
std::optional<PixelSize> ReadJpegSize(int fd, unsigned char* buffer, std::size_t capacity,
                                      std::size_t filled);

}  // namespace zb
