#pragma once

#include <string>

#include "platform/settings_store.h"

namespace zb {

// Settings where the Windows program has always kept them: the values of
// HKEY_CURRENT_USER\Software\<app>\<section>, one REG_SZ per key. Names
// compare without regard to case, as the registry compares them.
class RegistrySettingsStore : public SettingsStore {
 public:
  // Anything but text of at most kLongestText UTF-16 units reads as the
  // fallback: the longest Windows path fits.
  static constexpr std::size_t kLongestText = 32767;

  std::string Read(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& fallback) override;
  // False for text that would not read back: too long or holding a NUL.
  bool Write(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;
  // One open of the section's key for all the values.
  bool WriteSection(const std::string& app, const std::string& section,
                    const Values& values) override;
};

}  // namespace zb
