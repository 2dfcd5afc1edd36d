#include "decoding/browser_copy.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
// clang-format on

#include "decoding/heif_decoding.h"
#include "decoding/jpeg_encoder.h"

namespace zb {
namespace {

constexpr int kQuality = 90;

void WriteProfile(jpeg_compress_struct* info, void* context) {
  const auto* profile = static_cast<const std::vector<std::uint8_t>*>(context);
  jpeg_write_icc_profile(info, profile->data(), static_cast<unsigned>(profile->size()));
}

}  // namespace

std::vector<std::uint8_t> MakeBrowserCopy(std::span<const std::uint8_t> bytes,
                                          const DecodeLimits& limits) {
  if (!IsHeic(bytes)) return {};
  std::optional<HeifPicture> picture = DecodeHeif(bytes, limits);
  if (!picture) return {};
  const PicturePixels& pixels = picture->pixels;
  JpegSetUp setUp;
  if (!picture->profile.empty()) {
    setUp.markers = WriteProfile;
    setUp.context = &picture->profile;
  }
  return EncodeJpeg({pixels.width, pixels.height, 3, pixels.rgb}, kQuality, setUp);
}

}  // namespace zb
