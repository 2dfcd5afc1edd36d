#pragma once

// HEIC pictures for tests, encoded with libheif's own encoder (x265).
#include <libheif/heif.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "decoding/picture_pixels.h"

namespace zb {

// libheif 1.15 writes a turned picture's 'ispe' with the sides as shown,
// where the format (and every phone) gives them as stored, before 'irot':
// this puts them back.
inline void StoredSidesInIspe(std::string& heic) {
  const std::size_t mdat = heic.find("mdat");
  for (std::size_t at = heic.find("ispe"); at < mdat; at = heic.find("ispe", at + 4)) {
    if (at + 16 > heic.size()) break;
    std::string width = heic.substr(at + 8, 4);
    heic.replace(at + 8, 4, heic.substr(at + 12, 4));
    heic.replace(at + 12, 4, width);
  }
}

// `orientation` (EXIF numbering) becomes irot and imir boxes; `profile` an
// ICC profile for its colr box. libheif wraps a size that the codec pads,
// and any turned picture, in a grid of one tile, as macOS wants it.
inline std::string Heic(const PicturePixels& p,
                        heif_orientation orientation = heif_orientation_normal,
                        const std::vector<std::uint8_t>& profile = {}) {
  heif_context* context = heif_context_alloc();
  heif_encoder* encoder = nullptr;
  heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder);
  heif_encoder_set_lossy_quality(encoder, 90);
  heif_encoder_set_parameter_string(encoder, "preset", "ultrafast");
  heif_image* image = nullptr;
  heif_image_create(p.width, p.height, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
  heif_image_add_plane(image, heif_channel_interleaved, p.width, p.height, 8);
  int stride = 0;
  std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
  for (int y = 0; y < p.height; ++y) {
    std::memcpy(plane + y * stride, p.rgb.data() + std::size_t{3} * y * p.width,
                std::size_t{3} * p.width);
  }
  if (!profile.empty()) {
    heif_image_set_raw_color_profile(image, "prof", profile.data(), profile.size());
  }
  heif_encoding_options* options = heif_encoding_options_alloc();
  options->image_orientation = orientation;
  heif_context_encode_image(context, image, encoder, options, nullptr);
  heif_encoding_options_free(options);
  std::string bytes;
  heif_writer writer{1, [](heif_context*, const void* data, size_t size, void* out) {
                       static_cast<std::string*>(out)->append(static_cast<const char*>(data), size);
                       return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
                     }};
  heif_context_write(context, &writer, &bytes);
  heif_image_release(image);
  heif_encoder_release(encoder);
  heif_context_free(context);
  if (orientation >= heif_orientation_rotate_90_cw_then_flip_horizontally) StoredSidesInIspe(bytes);
  return bytes;
}

}  // namespace zb
