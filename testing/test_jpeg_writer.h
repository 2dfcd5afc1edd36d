#pragma once

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
// clang-format on

#include <cstdint>
#include <string>
#include <vector>

#include "decoding/jpeg_encoder.h"
#include "decoding/picture_pixels.h"

namespace zb {

// For tests: JPEGs of the kinds cameras and editing programs write, which
// the thumbnail encoder never makes.
struct TestJpegKind {
  bool progressive = false;
  bool everyCoefficientAlone = false;      // a scan for each coefficient of each component
  bool fullChroma = false;                 // 4:4:4 instead of 4:2:0
  bool cmyk = false;                       // inks for the RGB, no black
  bool adobeInverted = true;               // for CMYK: 255 means no ink, Adobe marker
  std::vector<std::uint8_t> profile = {};  // an ICC profile in APP2
};

namespace test_jpeg {

struct Context {
  const TestJpegKind* kind;
  std::vector<jpeg_scan_info> scans;  // outlives the compression
};

inline void Settings(jpeg_compress_struct* info, void* context) {
  auto* c = static_cast<Context*>(context);
  const TestJpegKind* kind = c->kind;
  if (kind->cmyk) {
    jpeg_set_colorspace(info, kind->adobeInverted ? JCS_YCCK : JCS_CMYK);
    info->write_Adobe_marker = kind->adobeInverted;
  }
  if (kind->fullChroma || kind->cmyk) {
    for (int c = 0; c < info->num_components; ++c) {
      info->comp_info[c].h_samp_factor = info->comp_info[c].v_samp_factor = 1;
    }
  }
  if (kind->everyCoefficientAlone) {
    c->scans.push_back({info->num_components, {0, 1, 2, 3}, 0, 0, 0, 0});
    for (int k = 0; k < info->num_components; ++k) {
      for (int s = 1; s < 64; ++s) c->scans.push_back({1, {k}, s, s, 0, 0});
    }
    info->scan_info = c->scans.data();
    info->num_scans = static_cast<int>(c->scans.size());
  } else if (kind->progressive) {
    jpeg_simple_progression(info);
  }
}

inline void Markers(jpeg_compress_struct* info, void* context) {
  const TestJpegKind* kind = static_cast<Context*>(context)->kind;
  if (!kind->profile.empty()) {
    jpeg_write_icc_profile(info, kind->profile.data(), static_cast<unsigned>(kind->profile.size()));
  }
}

}  // namespace test_jpeg

inline std::string TestJpeg(const PicturePixels& p, const TestJpegKind& kind) {
  std::vector<std::uint8_t> samples = p.rgb;
  if (kind.cmyk) {
    // Cyan is what red lacks, and so on; no black ink.
    samples.clear();
    for (std::size_t i = 0; i < p.rgb.size(); i += 3) {
      for (int c = 0; c < 3; ++c) {
        const std::uint8_t ink = 255 - p.rgb[i + c];
        samples.push_back(kind.adobeInverted ? 255 - ink : ink);
      }
      samples.push_back(kind.adobeInverted ? 255 : 0);
    }
  }
  test_jpeg::Context context{&kind, {}};
  const std::vector<std::uint8_t> bytes =
      EncodeJpeg({p.width, p.height, kind.cmyk ? 4 : 3, samples}, 95,
                 {test_jpeg::Settings, test_jpeg::Markers, &context});
  return {bytes.begin(), bytes.end()};
}

}  // namespace zb
