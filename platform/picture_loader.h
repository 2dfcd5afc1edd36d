#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "picture/pixel_size.h"

namespace zb {

// Measures a picture file, whatever its format, without decoding its pixels.
class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // Empty when the file cannot be read or is no picture that can be measured.
  virtual std::optional<PixelSize> Measure(const std::string& path) = 0;
  // The same, given the file's first bytes as read ahead (as many as
  // HeadBytes asks for, fewer only where the file ends); the file is opened
  // only when they do not settle it.
  virtual std::optional<PixelSize> Measure(const std::string& path,
                                           std::span<const std::byte> /*head*/) {
    return Measure(path);
  }
  // How many first bytes are worth reading ahead for Measure; 0 for none.
  virtual std::size_t HeadBytes() const { return 0; }
};

}  // namespace zb
