#include "platform/posix/jpeg_encoder.h"

#include <cstdlib>

#include "platform/posix/jpeg_error_trap.h"

namespace zb {
namespace {

struct Encoder {
  jpeg_compress_struct info;
  JpegErrorTrap errors;
  unsigned char* out = nullptr;
  unsigned long size = 0;
};

// Holds no C++ object that needs destroying: an error jumps back into it.
bool Encode(Encoder* e, const PicturePixels* pixels, int quality) {
  if (setjmp(e->errors.jump) != 0) {
    jpeg_destroy_compress(&e->info);
    return false;
  }
  jpeg_create_compress(&e->info);
  jpeg_mem_dest(&e->info, &e->out, &e->size);
  e->info.image_width = static_cast<JDIMENSION>(pixels->width);
  e->info.image_height = static_cast<JDIMENSION>(pixels->height);
  e->info.input_components = 3;
  e->info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&e->info);
  jpeg_set_quality(&e->info, quality, TRUE);
  jpeg_start_compress(&e->info, TRUE);
  while (e->info.next_scanline < e->info.image_height) {
    auto row = const_cast<JSAMPROW>(pixels->rgb.data() +
                                    std::size_t{e->info.next_scanline} * pixels->width * 3);
    jpeg_write_scanlines(&e->info, &row, 1);
  }
  jpeg_finish_compress(&e->info);
  jpeg_destroy_compress(&e->info);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const PicturePixels& pixels, int quality) {
  if (pixels.width <= 0 || pixels.height <= 0 ||
      pixels.rgb.size() != std::size_t{3} * pixels.width * pixels.height) {
    return {};
  }
  Encoder encoder{};
  encoder.info.err = encoder.errors.Arm();
  std::vector<std::uint8_t> bytes;
  if (Encode(&encoder, &pixels, quality)) bytes.assign(encoder.out, encoder.out + encoder.size);
  std::free(encoder.out);
  return bytes;
}

}  // namespace zb
