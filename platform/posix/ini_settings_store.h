#pragma once

#include <string>
#include <utility>

#include "platform/settings_store.h"

namespace zb {

// Settings as INI files that a user can read and edit: one folder per
// application under the configuration folder, one file per section
// ("Zorbelle/CheckBox Value.ini"), parsed with libinih. A section is
// rewritten through a temporary file and a rename, so a file is never half
// written.
class IniSettingsStore : public SettingsStore {
 public:
  // $XDG_CONFIG_HOME, else ~/.config.
  static std::string ConfigHomeFromEnvironment();

  explicit IniSettingsStore(std::string configHome) : configHome_(std::move(configHome)) {}
  IniSettingsStore(const IniSettingsStore&) = delete;
  IniSettingsStore& operator=(const IniSettingsStore&) = delete;

  std::string Read(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& fallback) override;
  // Makes the folders it needs; false when they or the file cannot be written.
  bool Write(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;
  // One replacement of the section's file for all the values.
  bool WriteSection(const std::string& app, const std::string& section,
                    const Values& values) override;

 private:
  bool ReplaceFile(const std::string& path, const std::string& text);

  std::string configHome_;
};

}  // namespace zb
