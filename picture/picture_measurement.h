#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "picture/picture_bytes.h"
#include "picture/pixel_size.h"

namespace zb {

// How many first bytes of a file are worth reading ahead for measuring: one
// page holds the header of most pictures other than camera JPEGs, whose
// frame header lies behind their thumbnail anyway.
inline constexpr std::size_t kPictureHeadBytes = std::size_t{4} * 1024;

// A picture's size as a browser shows it, from its headers alone and by
// content rather than by name: JPEG, WebP, BMP, PNG and GIF as libjpeg,
// libwebp and stb_image read their headers, AVIF and HEIC by their boxes. Anything else,
// including cut or empty files, gives no size. Reads a bounded number of
// bytes whatever the file holds.
std::optional<PixelSize> MeasurePictureBytes(PictureBytes& bytes);

// The same from the file's first bytes as read ahead (kPictureHeadBytes,
// fewer only where the file ends); `file` is read only when a header reader
// asks past them.
std::optional<PixelSize> MeasurePictureHead(std::span<const std::byte> head, PictureBytes& file);

}  // namespace zb
