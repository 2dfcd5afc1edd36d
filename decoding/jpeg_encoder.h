#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "decoding/picture_pixels.h"

struct jpeg_compress_struct;

namespace zb {

// A baseline JPEG of the pixels; empty when they cannot be encoded.
std::vector<std::uint8_t> EncodeJpeg(const PicturePixels& pixels, int quality);

// Rows of samples top to bottom: RGB with 3 components, CMYK with 4.
struct JpegSamples {
  int width = 0;
  int height = 0;
  int components = 3;
  std::span<const std::uint8_t> bytes;
};

// What differs from libjpeg's defaults and the quality: `settings` runs
// before compressing starts, `markers` right after. Both get `context`; an
// error of libjpeg jumps out of them, so they hold no C++ object that needs
// destroying.
struct JpegSetUp {
  void (*settings)(jpeg_compress_struct* info, void* context) = nullptr;
  void (*markers)(jpeg_compress_struct* info, void* context) = nullptr;
  void* context = nullptr;
};

// The samples as a JPEG; empty when they cannot be encoded.
std::vector<std::uint8_t> EncodeJpeg(const JpegSamples& samples, int quality,
                                     const JpegSetUp& setUp = {});

}  // namespace zb
