#pragma once

#include <optional>
#include <span>

#include "picture/pixel_size.h"

namespace zb {

// The size of a PNG, GIF or BMP, told by its signature, from the bytes
// given, with stb_image's answer (stbi_info_from_memory) on every input; a
// BMP stored top row first has its height made positive. Empty for any
// other bytes and for what stb_image rejects.
std::optional<PixelSize> ReadClassicFormatSize(std::span<const unsigned char> head);

// The same for one format each; bytes of another format give no size.
std::optional<PixelSize> ReadPngSize(std::span<const unsigned char> head);
std::optional<PixelSize> ReadGifSize(std::span<const unsigned char> head);
std::optional<PixelSize> ReadBmpSize(std::span<const unsigned char> head);

}  // namespace zb
