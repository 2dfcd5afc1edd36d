#pragma once

#include <cstdint>

namespace zb {

// What one decode may take, judged from the picture's header before any
// pixel is allocated: its working memory (pixels, a progressive JPEG's
// coefficients, a PNG's inflated rows) and a JPEG's scans, each of which
// costs a pass over all its coefficients.
struct DecodeLimits {
  std::uint64_t bytes = std::uint64_t{256} * 1024 * 1024;
  int jpegScans = 300;
};

// Whether a decode of width x height pixels, taking `bytesPerPixel` for
// them all at once and `moreBytes` besides, stays within the limit.
bool Affordable(std::uint64_t width, std::uint64_t height, std::uint64_t bytesPerPixel,
                const DecodeLimits& limits, std::uint64_t moreBytes = 0);

}  // namespace zb
