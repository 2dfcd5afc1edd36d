#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/picture_loader.h"

namespace zb {

// Sizes by exact path; a path without a size cannot be measured.
class FakePictureLoader : public PictureLoader {
 public:
  std::optional<PixelSize> Measure(const std::string& path) override;

  std::map<std::string, PixelSize> sizes;
  std::vector<std::string> measured;  // every path asked for, in order
  // Runs as a measurement begins, e.g. to look at the crash marker then.
  std::function<void(const std::string& path)> onMeasure;
};

}  // namespace zb
