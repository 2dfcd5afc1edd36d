#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "decoding/picture_pixels.h"

namespace zb {

// What one decode may take, judged from the picture's header before any
// pixel is allocated: its working memory (pixels, a progressive JPEG's
// coefficients, a PNG's inflated rows) and a JPEG's scans, each of which
// costs a pass over all its coefficients.
struct DecodeLimits {
  std::uint64_t bytes = std::uint64_t{256} * 1024 * 1024;
  int jpegScans = 300;
};

// A picture file's bytes made into pixels as a browser shows them: EXIF or
// AVIF orientation applied, colours of an embedded ICC profile (or CMYK)
// turned into sRGB, transparency laid on the pages' white; no longer than
// `side` on the longest side. JPEG decodes at the smallest DCT scale not
// below `side`; PNG, BMP and a GIF of one image go through stb_image, WebP
// through libwebp, AVIF through libavif. Empty for anything damaged, cut,
// over a limit, a GIF of several images (it keeps its original, which
// moves) or any other format.
std::optional<PicturePixels> DecodeForThumbnail(std::span<const std::uint8_t> bytes, int side,
                                                const DecodeLimits& limits = {});

// The JPEG part of the above.
std::optional<PicturePixels> DecodeJpegForThumbnail(std::span<const std::uint8_t> bytes, int side,
                                                    const DecodeLimits& limits);

}  // namespace zb
