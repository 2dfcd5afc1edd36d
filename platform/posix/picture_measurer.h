#pragma once

#include <array>

#include "platform/picture_loader.h"
#include "platform/posix/drive_paths.h"

namespace zb {

// Sizes pictures from their headers alone, by content rather than by name:
// JPEG through libjpeg, BMP, PNG and GIF through stb_image. Anything else,
// including cut or empty files, gives no size.
class PictureMeasurer : public PictureLoader {
 public:
  explicit PictureMeasurer(DrivePaths& paths) : paths_(paths) {}

  std::optional<PixelSize> Measure(const std::string& path) override;
  std::optional<PixelSize> Measure(const std::string& path,
                                   std::span<const std::byte> head) override;
  std::size_t HeadBytes() const override { return head_.size(); }

 private:
  // Measures from the first `filled` bytes in head_, reading on from fd
  // (at that offset) when a JPEG needs more.
  std::optional<PixelSize> MeasureHead(int fd, std::size_t filled);

  DrivePaths& paths_;
  std::array<unsigned char, std::size_t{16} * 1024> head_;
};

}  // namespace zb
