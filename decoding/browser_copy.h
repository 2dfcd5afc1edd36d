#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "decoding/decode_limits.h"

namespace zb {

// A JPEG any browser shows in place of a HEIC that only Safari shows: the
// whole picture as it stands, at quality 90, its ICC profile kept (the
// pixels keep their colours, which the profile describes). Empty for
// anything that is no HEIC or gives no picture.
std::vector<std::uint8_t> MakeBrowserCopy(std::span<const std::uint8_t> bytes,
                                          const DecodeLimits& limits = {});

}  // namespace zb
