#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "platform/picture_loader.h"
#include "platform/posix/picture_bytes.h"

namespace zb {

// A JPEG's size as a browser shows it, from libjpeg's header reader without
// decoding the picture: the frame's size, sides swapped when the Exif
// orientation turns it a quarter. buffer holds the first `filled` bytes of
// the file; further bytes are read into it. The cost is bounded whatever the
// file: past a fixed number of bytes read or segments passed over, the
// picture counts as unmeasurable. Empty for anything libjpeg rejects, a cut
// file included; libjpeg's errors never end the process.
std::optional<PixelSize> ReadJpegSize(PictureBytes& bytes, std::span<unsigned char> buffer,
                                      std::size_t filled);

}  // namespace zb
