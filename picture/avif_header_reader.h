#pragma once

#include <cstddef>
#include <optional>

#include "picture/pixel_size.h"

namespace zb {

// An AVIF's shown size from its first bytes: the primary item's 'ispe'
// property, sides exchanged when its 'irot' turns it a quarter. Reads only
// inside the given bytes and at most a fixed number of boxes; empty when the
// header does not lie wholly within them or is no AVIF.
std::optional<PixelSize> ReadAvifSize(const unsigned char* data, std::size_t length);

}  // namespace zb
