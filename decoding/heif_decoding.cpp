#include "decoding/heif_decoding.h"

#include <libheif/heif.h>

#include <algorithm>
#include <climits>
#include <memory>

#include "decoding/page_background.h"

namespace zb {
namespace {

template <auto Free>
struct Freer {
  template <typename T>
  void operator()(T* p) const {
    Free(p);
  }
};
template <typename T, auto Free>
using Owned = std::unique_ptr<T, Freer<Free>>;

bool HasBrand(std::span<const std::uint8_t> bytes, const char* brand) {
  const int length = static_cast<int>(bytes.size());
  return heif_read_main_brand(bytes.data(), length) == heif_fourcc_to_brand(brand) ||
         heif_has_compatible_brand(bytes.data(), length, brand) == 1;
}

// The coded planes (up to 2 bytes a sample, chroma at full size at worst),
// libheif's RGB(A), its rows packed and our RGB.
std::uint64_t BytesPerPixel(const heif_image_handle* handle) {
  const std::uint64_t sample = heif_image_handle_get_luma_bits_per_pixel(handle) > 8 ? 2 : 1;
  return 3 * sample + 4 + 4 + 3;
}

}  // namespace

bool IsHeic(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 12 || bytes.size() > INT_MAX) return false;
  return !HasBrand(bytes, "avif") && !HasBrand(bytes, "avis");
}

std::optional<HeifPicture> DecodeHeif(std::span<const std::uint8_t> bytes,
                                      const DecodeLimits& limits) {
  Owned<heif_context, heif_context_free> context(heif_context_alloc());
  if (!context) return std::nullopt;
  // No threads of its own: the helpers already use every core.
  heif_context_set_max_decoding_threads(context.get(), 0);
  heif_image_handle* primary = nullptr;
  if (heif_context_read_from_memory_without_copy(context.get(), bytes.data(), bytes.size(), nullptr)
              .code != heif_error_Ok ||
      heif_context_get_primary_image_handle(context.get(), &primary).code != heif_error_Ok) {
    return std::nullopt;
  }
  Owned<heif_image_handle, heif_image_handle_release> handle(primary);
  const int width = heif_image_handle_get_width(handle.get());
  const int height = heif_image_handle_get_height(handle.get());
  if (width <= 0 || height <= 0 ||
      !Affordable(width, height, BytesPerPixel(handle.get()), limits)) {
    return std::nullopt;
  }
  const bool alpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
  Owned<heif_decoding_options, heif_decoding_options_free> options(heif_decoding_options_alloc());
  options->convert_hdr_to_8bit = 1;
  heif_image* decoded = nullptr;
  if (heif_decode_image(handle.get(), &decoded, heif_colorspace_RGB,
                        alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                        options.get())
          .code != heif_error_Ok) {
    return std::nullopt;
  }
  Owned<heif_image, heif_image_release> image(decoded);
  int stride = 0;
  const std::uint8_t* plane =
      heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
  const int shownWidth = heif_image_get_width(image.get(), heif_channel_interleaved);
  const int shownHeight = heif_image_get_height(image.get(), heif_channel_interleaved);
  const int channels = alpha ? 4 : 3;
  if (plane == nullptr || shownWidth <= 0 || shownHeight <= 0 || stride < shownWidth * channels) {
    return std::nullopt;
  }
  // libheif pads its rows; the page background takes them packed.
  std::vector<std::uint8_t> packed(std::size_t{1} * shownWidth * shownHeight * channels);
  const std::size_t row = std::size_t{1} * shownWidth * channels;
  for (int y = 0; y < shownHeight; ++y) {
    std::copy_n(plane + std::size_t{1} * y * stride, row, packed.begin() + y * row);
  }
  HeifPicture picture{OnPageBackground(packed.data(), shownWidth, shownHeight, channels), {}};
  const std::size_t profileSize = heif_image_handle_get_raw_color_profile_size(handle.get());
  if (profileSize > 0) {
    picture.profile.resize(profileSize);
    if (heif_image_handle_get_raw_color_profile(handle.get(), picture.profile.data()).code !=
        heif_error_Ok) {
      picture.profile.clear();
    }
  }
  return picture;
}

}  // namespace zb
