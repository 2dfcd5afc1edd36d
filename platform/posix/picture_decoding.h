#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/posix/picture_pixels.h"

namespace zb {

// A picture file's bytes made into pixels as a browser shows them (EXIF or
// AVIF orientation applied), no longer than `side` on the longest side.
// JPEG decodes at the smallest DCT scale not below `side`; PNG, BMP and a
// GIF of one image go through stb_image, WebP through libwebp, AVIF through
// libavif. Empty for anything damaged, cut, too large (more than kMaxPixels),
// a GIF of several images (it keeps its original, which moves) or any other
// format.
std::optional<PicturePixels> DecodeForThumbnail(std::span<const std::uint8_t> bytes, int side);

// Bounds the memory one decode may take.
inline constexpr std::uint64_t kMaxPixels = std::uint64_t{64} * 1024 * 1024;

// The JPEG part of the above.
std::optional<PicturePixels> DecodeJpegForThumbnail(std::span<const std::uint8_t> bytes, int side);

}  // namespace zb
