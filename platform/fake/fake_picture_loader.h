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
  // Counts the call in measuredFromHeads, then measures by path.
  std::optional<PixelSize> Measure(const std::string& path,
                                   std::span<const std::byte> head) override;
  std::size_t HeadBytes() const override { return 64; }

  std::map<std::string, PixelSize> sizes;
  std::vector<std::string> measured;  // every path asked for, in order
  int measuredFromHeads = 0;
  // Runs as a measurement begins, e.g. to look at the crash marker then.
  std::function<void(const std::string& path)> onMeasure;
};

}  // namespace zb
