#pragma once

#include <optional>
#include <string>

namespace zb {

struct PixelSize {
  unsigned width = 0;
  unsigned height = 0;
};

// Measures a picture file, whatever its format, without decoding its pixels.
class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // Empty when the file cannot be read or is no picture that can be measured.
  virtual std::optional<PixelSize> Measure(const std::string& path) = 0;
};

}  // namespace zb
