#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/picture_loader.h"

namespace zb {

// Sizes by exact path; a path without a size cannot be measured. Measures
// nothing ahead: expected pictures are only recorded.
class FakePictureLoader : public PictureLoader {
 public:
  void SetLoadGuard(std::function<void(const std::string& path)> guard) override {
    guard_ = std::move(guard);
  }
  void Expect(const std::string& path) override { expected.push_back(path); }
  void ForgetExpected() override { ++forgets; }
  std::optional<PixelSize> Measure(const std::string& path) override;

  std::map<std::string, PixelSize> sizes;
  std::vector<std::string> measured;  // every path asked for, in order
  std::vector<std::string> expected;
  int forgets = 0;
  // Runs as a measurement begins, after the load guard, e.g. to look at the
  // crash marker then.
  std::function<void(const std::string& path)> onMeasure;

 private:
  std::function<void(const std::string& path)> guard_;
};

}  // namespace zb
