#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/posix/jpeg_error_trap.h"
#include "platform/posix/picture_pixels.h"

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

struct Writer {
  jpeg_compress_struct info;
  JpegErrorTrap errors;
  unsigned char* out = nullptr;
  unsigned long size = 0;
  std::vector<jpeg_scan_info> scans;
};

// Holds no C++ object that needs destroying across a jump.
inline bool Write(Writer* w, const PicturePixels* p, const TestJpegKind* kind,
                  const std::vector<std::uint8_t>* samples) {
  if (setjmp(w->errors.jump) != 0) {
    jpeg_destroy_compress(&w->info);
    return false;
  }
  jpeg_create_compress(&w->info);
  jpeg_mem_dest(&w->info, &w->out, &w->size);
  w->info.image_width = static_cast<JDIMENSION>(p->width);
  w->info.image_height = static_cast<JDIMENSION>(p->height);
  w->info.input_components = kind->cmyk ? 4 : 3;
  w->info.in_color_space = kind->cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&w->info);
  jpeg_set_quality(&w->info, 95, TRUE);
  if (kind->cmyk) {
    jpeg_set_colorspace(&w->info, kind->adobeInverted ? JCS_YCCK : JCS_CMYK);
    w->info.write_Adobe_marker = kind->adobeInverted;
  }
  if (kind->fullChroma || kind->cmyk) {
    for (int c = 0; c < w->info.num_components; ++c) {
      w->info.comp_info[c].h_samp_factor = w->info.comp_info[c].v_samp_factor = 1;
    }
  }
  if (kind->everyCoefficientAlone) {
    w->scans.push_back({w->info.num_components, {0, 1, 2, 3}, 0, 0, 0, 0});
    for (int c = 0; c < w->info.num_components; ++c) {
      for (int k = 1; k < 64; ++k) w->scans.push_back({1, {c}, k, k, 0, 0});
    }
    w->info.scan_info = w->scans.data();
    w->info.num_scans = static_cast<int>(w->scans.size());
  } else if (kind->progressive) {
    jpeg_simple_progression(&w->info);
  }
  jpeg_start_compress(&w->info, TRUE);
  if (!kind->profile.empty()) {
    jpeg_write_icc_profile(&w->info, kind->profile.data(),
                           static_cast<unsigned>(kind->profile.size()));
  }
  const std::size_t stride = std::size_t{1} * p->width * w->info.input_components;
  while (w->info.next_scanline < w->info.image_height) {
    auto row = const_cast<JSAMPROW>(samples->data() + w->info.next_scanline * stride);
    jpeg_write_scanlines(&w->info, &row, 1);
  }
  jpeg_finish_compress(&w->info);
  jpeg_destroy_compress(&w->info);
  return true;
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
  test_jpeg::Writer writer{};
  writer.info.err = writer.errors.Arm();
  std::string bytes;
  if (test_jpeg::Write(&writer, &p, &kind, &samples)) {
    bytes.assign(reinterpret_cast<char*>(writer.out), writer.size);
  }
  std::free(writer.out);
  return bytes;
}

}  // namespace zb
