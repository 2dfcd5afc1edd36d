#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "decoding/decode_limits.h"
#include "decoding/picture_pixels.h"

namespace zb {

// Whether an ISO box file is left to libheif: any HEIF but an AVIF, which
// libavif decodes.
bool IsHeic(std::span<const std::uint8_t> bytes);

// A HEIC's primary image at full size, as shown: libheif assembles a grid's
// tiles and applies its rotation, mirror and crop (its EXIF orientation,
// which describes the stored image, is not applied again). Transparency is
// laid on the pages' background. `profile` is the ICC profile, when there is
// one. Empty when damaged, cut or over the limits.
struct HeifPicture {
  PicturePixels pixels;
  std::vector<std::uint8_t> profile;
};
std::optional<HeifPicture> DecodeHeif(std::span<const std::uint8_t> bytes,
                                      const DecodeLimits& limits);

}  // namespace zb
