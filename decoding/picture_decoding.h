#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "decoding/decode_limits.h"
#include "decoding/picture_pixels.h"

namespace zb {

// A picture file's bytes made into pixels as a browser shows them: EXIF or
// AVIF or HEIC orientation applied, colours of an embedded ICC profile (or CMYK)
// turned into sRGB, transparency laid on the pages' white; no longer than
// `side` on the longest side. JPEG decodes at the smallest DCT scale not
// below `side`; PNG, BMP and a GIF of one image go through stb_image, WebP
// through libwebp, AVIF through libavif, HEIC through libheif. Empty for anything damaged, cut,
// over a limit, a GIF of several images (it keeps its original, which
// moves) or any other format.
std::optional<PicturePixels> DecodeForThumbnail(std::span<const std::uint8_t> bytes, int side,
                                                const DecodeLimits& limits = {});

// The JPEG part of the above.
std::optional<PicturePixels> DecodeJpegForThumbnail(std::span<const std::uint8_t> bytes, int side,
                                                    const DecodeLimits& limits);

}  // namespace zb
