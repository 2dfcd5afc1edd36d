#include <algorithm>
#include <cstdlib>
#include <vector>

#include "decoding/colour_conversion.h"
#include "decoding/jpeg_error_trap.h"
#include "decoding/picture_decoding.h"
#include "picture/exif_orientation.h"

namespace zb {
namespace {

struct Decoder {
  jpeg_decompress_struct info;
  JpegErrorTrap errors;
  jpeg_progress_mgr progress;
  int maxScans = 0;
};

// What the decode keeps besides libjpeg's state; the caller owns it, so
// that an error's jump skips no destructor.
struct DecodeState {
  PicturePixels pixels;
  std::vector<std::uint8_t> profile;
  std::vector<std::uint8_t> cmykRow;
  ColourConversion cmykToRgb;
  bool cmyk = false;
  int orientation = 1;
};

int OrientationOf(const jpeg_decompress_struct& info) {
  for (jpeg_saved_marker_ptr m = info.marker_list; m != nullptr; m = m->next) {
    if (m->marker == JPEG_APP0 + 1) {
      const int orientation = ExifOrientation(std::span(m->data, m->data_length));
      if (orientation != 1) return orientation;
    }
  }
  return 1;
}

// The largest 1/denominator that still leaves the longest side at `side`.
unsigned ScaleDenominator(unsigned longest, int side) {
  for (unsigned denominator : {8u, 4u, 2u}) {
    if ((longest + denominator - 1) / denominator >= static_cast<unsigned>(side)) {
      return denominator;
    }
  }
  return 1;
}

// A stream of several scans (progressive above all) is decoded only once
// every scan is in, so libjpeg keeps each component's coefficients at full
// resolution: 64 of 2 bytes a block.
std::uint64_t CoefficientBytes(const jpeg_decompress_struct& info) {
  if (!jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&info))) return 0;
  std::uint64_t bytes = 0;
  for (int c = 0; c < info.num_components; ++c) {
    const jpeg_component_info& component = info.comp_info[c];
    const auto roundUp = [](std::uint64_t n, std::uint64_t step) {
      return (n + step - 1) / step * step;
    };
    bytes += roundUp(component.width_in_blocks, component.h_samp_factor) *
             roundUp(component.height_in_blocks, component.v_samp_factor) * sizeof(JBLOCK);
  }
  return bytes;
}

// Called before each piece of input libjpeg consumes; past the limit of
// scans the decode gives up instead of passing over the coefficients again.
void CountScans(j_common_ptr common) {
  auto* d = reinterpret_cast<Decoder*>(common);
  if (d->info.input_scan_number > d->maxScans) JpegErrorTrap::Escape(common);
}

void ReadRows(Decoder* d, DecodeState* s) {
  const std::size_t width = d->info.output_width;
  while (d->info.output_scanline < d->info.output_height) {
    std::uint8_t* rgb = s->pixels.rgb.data() + std::size_t{d->info.output_scanline} * width * 3;
    JSAMPROW row = s->cmyk ? s->cmykRow.data() : rgb;
    if (jpeg_read_scanlines(&d->info, &row, 1) != 1) return;  // finishing then fails
    if (s->cmyk) s->cmykToRgb.Convert(row, rgb, width);
  }
}

// Holds no C++ object that needs destroying across a jump. A warning (a
// cut or damaged stream, which libjpeg would paint grey) counts as a
// failure.
bool Decode(Decoder* d, std::span<const std::uint8_t> bytes, int side, const DecodeLimits& limits,
            DecodeState* s) {
  if (setjmp(d->errors.jump) != 0) {
    jpeg_destroy_decompress(&d->info);
    return false;
  }
  jpeg_create_decompress(&d->info);
  // Beyond this, libjpeg would need a backing store, which it has not: an error.
  d->info.mem->max_memory_to_use = static_cast<long>(limits.bytes);
  d->maxScans = limits.jpegScans;
  d->progress.progress_monitor = CountScans;
  d->info.progress = &d->progress;
  jpeg_mem_src(&d->info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_save_markers(&d->info, JPEG_APP0 + 1, 0xFFFF);
  jpeg_save_markers(&d->info, JPEG_APP0 + 2, 0xFFFF);
  jpeg_read_header(&d->info, TRUE);
  s->cmyk = d->info.jpeg_color_space == JCS_CMYK || d->info.jpeg_color_space == JCS_YCCK;
  d->info.out_color_space = s->cmyk ? JCS_CMYK : JCS_RGB;
  d->info.scale_num = 1;
  d->info.scale_denom = ScaleDenominator(std::max(d->info.image_width, d->info.image_height), side);
  jpeg_calc_output_dimensions(&d->info);
  const std::uint64_t pixels = std::uint64_t{d->info.output_width} * d->info.output_height;
  const std::uint64_t needed = pixels * 3 + CoefficientBytes(d->info);
  if (pixels == 0 || needed > limits.bytes || d->info.output_components != (s->cmyk ? 4 : 3)) {
    jpeg_destroy_decompress(&d->info);
    return false;
  }
  s->orientation = OrientationOf(d->info);
  JOCTET* icc = nullptr;
  unsigned int iccLength = 0;
  if (jpeg_read_icc_profile(&d->info, &icc, &iccLength)) {
    s->profile.assign(icc, icc + iccLength);
    std::free(icc);
  }
  if (s->cmyk) {
    s->cmykToRgb = ColourConversion::FromCmyk(s->profile, d->info.saw_Adobe_marker);
    s->cmykRow.resize(std::size_t{d->info.output_width} * 4);
  }
  jpeg_start_decompress(&d->info);
  s->pixels.width = static_cast<int>(d->info.output_width);
  s->pixels.height = static_cast<int>(d->info.output_height);
  s->pixels.rgb.resize(pixels * 3);
  ReadRows(d, s);
  jpeg_finish_decompress(&d->info);
  const bool whole = d->errors.manager.num_warnings == 0;
  jpeg_destroy_decompress(&d->info);
  return whole;
}

}  // namespace

std::optional<PicturePixels> DecodeJpegForThumbnail(std::span<const std::uint8_t> bytes, int side,
                                                    const DecodeLimits& limits) {
  Decoder decoder{};
  decoder.info.err = decoder.errors.Arm();
  DecodeState state;
  if (!Decode(&decoder, bytes, side, limits, &state)) return std::nullopt;
  PicturePixels reduced = Reduced(std::move(state.pixels), side);
  if (!state.cmyk) {
    ColourConversion::FromRgbProfile(state.profile)
        .Convert(reduced.rgb.data(), reduced.rgb.data(), reduced.rgb.size() / 3);
  }
  return Oriented(std::move(reduced), state.orientation);
}

}  // namespace zb
