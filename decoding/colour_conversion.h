#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace zb {

// Turns decoded pixels into sRGB, the colours a browser assumes for a
// thumbnail without a profile, so that it looks like its original.
class ColourConversion {
 public:
  // From RGB in the colours of an embedded ICC profile; converts nothing
  // when the profile is missing, unreadable or not for RGB.
  static ColourConversion FromRgbProfile(std::span<const std::uint8_t> icc);
  // From CMYK (4 bytes a pixel) through its CMYK profile, or by the plain
  // ink formula when it has none. `inverted`: 255 means no ink, as Adobe's
  // programs write it.
  static ColourConversion FromCmyk(std::span<const std::uint8_t> icc, bool inverted);

  // `in` holds 3 or 4 bytes a pixel as made for; `rgb` gets 3. They may be
  // the same buffer for RGB.
  void Convert(const std::uint8_t* in, std::uint8_t* rgb, std::size_t pixels) const;

 private:
  std::shared_ptr<void> transform_;  // none: a copy, or the ink formula
  bool cmyk_ = false;
  bool inverted_ = false;
};

}  // namespace zb
