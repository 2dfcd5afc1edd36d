#include "decoding/colour_conversion.h"

#include <lcms2.h>

#include <cstring>

namespace zb {

namespace {

using Profile = std::unique_ptr<void, decltype(&cmsCloseProfile)>;

// A transform from the profile into sRGB, or none when the profile does not
// describe `space`.
cmsHTRANSFORM ToSrgb(std::span<const std::uint8_t> icc, cmsColorSpaceSignature space,
                     cmsUInt32Number inFormat) {
  if (icc.empty()) return nullptr;
  const Profile in(cmsOpenProfileFromMem(icc.data(), static_cast<cmsUInt32Number>(icc.size())),
                   cmsCloseProfile);
  if (!in || cmsGetColorSpace(in.get()) != space) return nullptr;
  const Profile srgb(cmsCreate_sRGBProfile(), cmsCloseProfile);
  if (!srgb) return nullptr;
  // Relative colorimetric, as browsers show pictures.
  return cmsCreateTransform(in.get(), inFormat, srgb.get(), TYPE_RGB_8,
                            INTENT_RELATIVE_COLORIMETRIC, 0);
}

}  // namespace

ColourConversion ColourConversion::FromRgbProfile(std::span<const std::uint8_t> icc) {
  ColourConversion conversion;
  if (cmsHTRANSFORM handle = ToSrgb(icc, cmsSigRgbData, TYPE_RGB_8)) {
    conversion.transform_.reset(handle, cmsDeleteTransform);
  }
  return conversion;
}

ColourConversion ColourConversion::FromCmyk(std::span<const std::uint8_t> icc, bool inverted) {
  ColourConversion conversion;
  conversion.cmyk_ = true;
  conversion.inverted_ = inverted;
  if (cmsHTRANSFORM handle =
          ToSrgb(icc, cmsSigCmykData, inverted ? TYPE_CMYK_8_REV : TYPE_CMYK_8)) {
    conversion.transform_.reset(handle, cmsDeleteTransform);
  }
  return conversion;
}

void ColourConversion::Convert(const std::uint8_t* in, std::uint8_t* rgb,
                               std::size_t pixels) const {
  if (transform_) {
    cmsDoTransform(transform_.get(), in, rgb, static_cast<cmsUInt32Number>(pixels));
  } else if (!cmyk_) {
    if (in != rgb) std::memcpy(rgb, in, pixels * 3);
  } else {
    for (std::size_t i = 0; i < pixels; ++i, in += 4, rgb += 3) {
      // What is left of white after each ink and the black.
      const unsigned black = inverted_ ? in[3] : 255u - in[3];
      for (int c = 0; c < 3; ++c) {
        const unsigned left = inverted_ ? in[c] : 255u - in[c];
        rgb[c] = static_cast<std::uint8_t>((left * black + 127) / 255);
      }
    }
  }
}

}  // namespace zb
