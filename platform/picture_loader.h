#pragma once

#include <functional>
#include <optional>
#include <string>

namespace zb {

struct PixelSize {
  unsigned width = 0;
  unsigned height = 0;
};

// Measures picture files, whatever their format, without decoding pixels.
class PictureLoader {
 public:
  virtual ~PictureLoader() = default;

  // Runs immediately before each picture file is opened, on the thread that
  // opens it, so that a load that brings the process down can be named.
  virtual void SetLoadGuard(std::function<void(const std::string& path)> guard) = 0;
  // Pictures that Measure will be asked for next, in this order; a loader
  // may measure them ahead of time.
  virtual void Expect(const std::string& path) = 0;
  // Drops what was expected; returns once no picture is being loaded.
  virtual void ForgetExpected() = 0;
  // Empty when the file cannot be read or is no picture that can be measured.
  virtual std::optional<PixelSize> Measure(const std::string& path) = 0;
};

}  // namespace zb
