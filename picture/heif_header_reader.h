#pragma once

#include <cstddef>
#include <optional>

#include "picture/pixel_size.h"

namespace zb {

// The shown size of an AVIF or HEIC (the same boxes around another codec)
// from its first bytes: the primary item's 'ispe' property (a grid's whole
// size), sides exchanged when its 'irot' turns it a quarter; a mirror changes
// no size. Reads only inside the given bytes and at most a fixed number of
// boxes; empty when the header does not lie wholly within them or is neither.
std::optional<PixelSize> ReadHeifSize(const unsigned char* data, std::size_t length);

}  // namespace zb
