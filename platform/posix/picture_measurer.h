#pragma once

#include <optional>

#include "platform/picture_loader.h"
#include "platform/posix/drive_paths.h"

namespace zb {

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
