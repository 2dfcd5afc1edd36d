#include <algorithm>

#include "platform/posix/exif_orientation.h"
#include "platform/posix/jpeg_error_trap.h"
#include "platform/posix/picture_decoding.h"

namespace zb {
namespace {

struct Decoder {
  jpeg_decompress_struct info;
  JpegErrorTrap errors;
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

// Holds no C++ object that needs destroying across a jump other than `out`,
// which the caller owns. A warning (a cut or damaged stream, which libjpeg
// would paint grey) counts as a failure.
bool Decode(Decoder* d, const std::uint8_t* data, std::size_t size, int side, PicturePixels* out,
            int* orientation) {
  if (setjmp(d->errors.jump) != 0) {
    jpeg_destroy_decompress(&d->info);
    return false;
  }
  jpeg_create_decompress(&d->info);
  jpeg_mem_src(&d->info, data, static_cast<unsigned long>(size));
  jpeg_save_markers(&d->info, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(&d->info, TRUE);
  d->info.out_color_space = JCS_RGB;
  d->info.scale_num = 1;
  d->info.scale_denom = ScaleDenominator(std::max(d->info.image_width, d->info.image_height), side);
  jpeg_calc_output_dimensions(&d->info);
  const std::uint64_t pixels = std::uint64_t{d->info.output_width} * d->info.output_height;
  if (pixels == 0 || pixels > kMaxPixels || d->info.output_components != 3) {
    jpeg_destroy_decompress(&d->info);
    return false;
  }
  *orientation = OrientationOf(d->info);
  jpeg_start_decompress(&d->info);
  out->width = static_cast<int>(d->info.output_width);
  out->height = static_cast<int>(d->info.output_height);
  out->rgb.resize(pixels * 3);
  while (d->info.output_scanline < d->info.output_height) {
    JSAMPROW row = out->rgb.data() + std::size_t{d->info.output_scanline} * out->width * 3;
    jpeg_read_scanlines(&d->info, &row, 1);
  }
  jpeg_finish_decompress(&d->info);
  const bool whole = d->errors.manager.num_warnings == 0;
  jpeg_destroy_decompress(&d->info);
  return whole;
}

}  // namespace

std::optional<PicturePixels> DecodeJpegForThumbnail(std::span<const std::uint8_t> bytes, int side) {
  Decoder decoder{};
  decoder.info.err = decoder.errors.Arm();
  PicturePixels pixels;
  int orientation = 1;
  if (!Decode(&decoder, bytes.data(), bytes.size(), side, &pixels, &orientation)) {
    return std::nullopt;
  }
  return Oriented(Reduced(std::move(pixels), side), orientation);
}

}  // namespace zb
