#pragma once

#include <cstddef>
#include <optional>

#include "picture/pixel_size.h"

namespace zb {

// The size of a WebP (VP8, VP8L or VP8X, as libwebp's header reader gives it)
// or an AVIF or HEIC, from the first bytes of the file only; empty for anything
// else, or when the header does not lie within them.
std::optional<PixelSize> ReadNewerFormatSize(const unsigned char* head, std::size_t filled);

}  // namespace zb
