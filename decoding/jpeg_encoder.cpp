#include "decoding/jpeg_encoder.h"

#include <cstdlib>

#include "decoding/jpeg_error_trap.h"

namespace zb {
namespace {

struct Encoder {
  jpeg_compress_struct info;
  JpegErrorTrap errors;
  unsigned char* out = nullptr;
  unsigned long size = 0;
};

// Holds no C++ object that needs destroying: an error jumps back into it.
bool Encode(Encoder* e, const JpegSamples* samples, int quality, const JpegSetUp* setUp) {
  if (setjmp(e->errors.jump) != 0) {
    jpeg_destroy_compress(&e->info);
    return false;
  }
  jpeg_create_compress(&e->info);
  jpeg_mem_dest(&e->info, &e->out, &e->size);
  e->info.image_width = static_cast<JDIMENSION>(samples->width);
  e->info.image_height = static_cast<JDIMENSION>(samples->height);
  e->info.input_components = samples->components;
  e->info.in_color_space = samples->components == 4 ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&e->info);
  jpeg_set_quality(&e->info, quality, TRUE);
  if (setUp->settings != nullptr) setUp->settings(&e->info, setUp->context);
  jpeg_start_compress(&e->info, TRUE);
  if (setUp->markers != nullptr) setUp->markers(&e->info, setUp->context);
  const std::size_t stride = std::size_t{1} * samples->width * samples->components;
  while (e->info.next_scanline < e->info.image_height) {
    auto row = const_cast<JSAMPROW>(samples->bytes.data() + e->info.next_scanline * stride);
    jpeg_write_scanlines(&e->info, &row, 1);
  }
  jpeg_finish_compress(&e->info);
  jpeg_destroy_compress(&e->info);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const JpegSamples& samples, int quality,
                                     const JpegSetUp& setUp) {
  if (samples.width <= 0 || samples.height <= 0 ||
      samples.bytes.size() !=
          std::size_t{1} * samples.components * samples.width * samples.height) {
    return {};
  }
  Encoder encoder{};
  encoder.info.err = encoder.errors.Arm();
  std::vector<std::uint8_t> bytes;
  if (Encode(&encoder, &samples, quality, &setUp)) {
    bytes.assign(encoder.out, encoder.out + encoder.size);
  }
  std::free(encoder.out);
  return bytes;
}

std::vector<std::uint8_t> EncodeJpeg(const PicturePixels& pixels, int quality) {
  return EncodeJpeg({pixels.width, pixels.height, 3, pixels.rgb}, quality);
}

}  // namespace zb
