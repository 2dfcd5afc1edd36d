#pragma once

#include <map>
#include <string>
#include <tuple>

#include "platform/settings_store.h"

namespace zb {

// Settings in a map keyed by application, section and key.
class FakeSettingsStore : public SettingsStore {
 public:
  using Key = std::tuple<std::string, std::string, std::string>;

  std::string Read(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& fallback) override;
  bool Write(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;

  std::map<Key, std::string> values;
  bool writesFail = false;
};

}  // namespace zb
