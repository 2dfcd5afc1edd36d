#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zb {

// As the Linux helper's limits: no larger file is read, and no picture
// whose pixels take more is decoded.
inline constexpr std::uint64_t kMaxPictureFileBytes = std::uint64_t{512} * 1024 * 1024;
inline constexpr std::uint64_t kMaxDecodedBytes = std::uint64_t{256} * 1024 * 1024;

// The thumbnail of a picture file's bytes as a JPEG, through the Windows
// Imaging Component on a thread where COM is started: the first frame, its
// Exif orientation applied, transparency laid on white, the longest side
// `side` (never enlarged). Empty for anything damaged, over the limits, a
// GIF of several images (it keeps its original, which moves) or a format
// other than JPEG, PNG, BMP, GIF and WebP.
std::vector<std::uint8_t> WicThumbnailJpeg(std::span<const std::uint8_t> file, int side);

// The Exif orientation (1 to 8) of a JPEG's bytes, 1 without one.
int JpegOrientation(std::span<const std::uint8_t> file);

}  // namespace zb
