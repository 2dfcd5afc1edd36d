#pragma once

#include <cstddef>
#include <optional>

#include "picture/pixel_size.h"

namespace zb {

// A WebP's size (VP8, VP8L or VP8X) from a file's first bytes, with the
// answer of libwebp 1.2's WebPGetInfo on every input: the canvas of an
// extended file whose image lies past the bytes given or that is animated,
// else the image's own size. Empty for anything libwebp rejects.
std::optional<PixelSize> ReadWebpSize(const unsigned char* data, std::size_t length);

}  // namespace zb
