#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "picture/picture_bytes.h"
#include "picture/pixel_size.h"

namespace zb {

// A JPEG's size as a browser shows it, from its markers as libjpeg's header
// reader takes them, without decoding the picture: the frame's size, sides swapped when the Exif
// orientation turns it a quarter. first holds the file's first bytes (in
// buffer or anywhere else); further bytes are read into buffer. The cost is
// bounded whatever the file: past a fixed number of bytes read or segments
// passed over, the picture counts as unmeasurable. Empty for anything libjpeg
// rejects, a cut file included.
std::optional<PixelSize> ReadJpegSize(PictureBytes& bytes, std::span<const unsigned char> first,
                                      std::span<unsigned char> buffer);

}  // namespace zb
