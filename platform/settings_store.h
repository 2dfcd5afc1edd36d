#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zb {

// Per-user text values addressed by application, section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string Read(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& fallback) = 0;
  // False when the value could not be stored.
  virtual bool Write(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) = 0;
  using Values = std::vector<std::pair<std::string, std::string>>;
  // Several keys of one section, stored as one change where the store can:
  // saving every option at exit must not wait for the disk once per key.
  virtual bool WriteSection(const std::string& app, const std::string& section,
                            const Values& values) {
    bool stored = true;
    for (const auto& [key, value] : values) stored = Write(app, section, key, value) && stored;
    return stored;
  }
};

}  // namespace zb
