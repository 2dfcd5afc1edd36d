#pragma once

#include <string>

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
};

}  // namespace zb
