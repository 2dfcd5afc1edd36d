#include "platform/fake/fake_picture_loader.h"

namespace zb {

std::optional<PixelSize> FakePictureLoader::Measure(const std::string& path) {
  measured.push_back(path);
  if (onMeasure) onMeasure(path);
  const auto found = sizes.find(path);
  if (found == sizes.end()) return std::nullopt;
  return found->second;
}

std::optional<PixelSize> FakePictureLoader::Measure(const std::string& path,
                                                    std::span<const std::byte> /*head*/) {
  ++measuredFromHeads;
  return Measure(path);
}

}  // namespace zb
