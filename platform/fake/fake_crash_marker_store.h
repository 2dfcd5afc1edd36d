#pragma once

#include <string>

#include "platform/crash_marker_store.h"
#include "platform/fake/fake_settings_store.h"

namespace zb {

// The marker kept among the fake settings, in its section as the Windows
// program keeps it in the registry: tests look for it there, and failing
// settings writes fail it too.
class FakeCrashMarkerStore : public CrashMarkerStore {
 public:
  explicit FakeCrashMarkerStore(FakeSettingsStore& settings) : settings_(settings) {}

  std::string Read(const std::string& app, const std::string& fallback) override {
    return settings_.Read(app, kCrashMarkerSection, kCrashMarkerKey, fallback);
  }
  bool Write(const std::string& app, const std::string& picturePath) override {
    return settings_.Write(app, kCrashMarkerSection, kCrashMarkerKey, picturePath);
  }

 private:
  FakeSettingsStore& settings_;
};

}  // namespace zb
