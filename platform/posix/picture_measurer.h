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

 private:
  std::optional<PixelSize> MeasureOpenFile(int fd);

  DrivePaths& paths_;
  std::array<unsigned char, std::size_t{16} * 1024> head_;
};

}  // namespace zb
