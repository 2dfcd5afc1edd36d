#pragma once

#include <optional>

#include "platform/picture_loader.h"
#include "platform/posix/drive_paths.h"
#include "platform/posix/picture_bytes.h"

namespace zb {

// A picture's size as a browser shows it, from its headers alone and by
// content rather than by name: JPEG through libjpeg, BMP, PNG and GIF
// through stb_image. Anything else, including cut or empty files, gives no
// size. Reads a bounded number of bytes whatever the file holds.
std::optional<PixelSize> MeasurePictureBytes(PictureBytes& bytes);

// Measures the pictures of drive paths.
class PictureMeasurer : public PictureLoader {
 public:
  explicit PictureMeasurer(DrivePaths& paths) : paths_(paths) {}

  std::optional<PixelSize> Measure(const std::string& path) override;
  // The file is opened only when a header reader asks past the head.
  std::optional<PixelSize> Measure(const std::string& path,
                                   std::span<const std::byte> head) override;
  std::size_t HeadBytes() const override;

 private:
  DrivePaths& paths_;
};

}  // namespace zb
