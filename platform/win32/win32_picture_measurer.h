#pragma once

#include <optional>
#include <string>

#include "platform/picture_loader.h"

namespace zb {

// Measures the pictures of drive paths, reading disk files only.
class Win32PictureMeasurer : public PictureLoader {
 public:
  std::optional<PixelSize> Measure(const std::string& path) override;
  // The file is opened only when a header reader asks past the head.
  std::optional<PixelSize> Measure(const std::string& path,
                                   std::span<const std::byte> head) override;
  std::size_t HeadBytes() const override;
};

}  // namespace zb
