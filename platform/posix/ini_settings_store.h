#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/posix/crash_marker_file.h"
#include "platform/settings_store.h"

namespace zb {

// Settings as INI files that a user can read and edit: one folder per
// application under the configuration folder, one file per section
// ("Zorbelle/CheckBox Value.ini"), parsed with libinih.
//
// A section is rewritten through a temporary file and a rename, so a file is
// never half written. The crash marker is the exception: it is written before
// every picture a run loads, so its file is owned by the writing run and
// rewritten in place through a shared mapping (CrashMarkerFile). A marker
// that a living run owns reads as clean: it names no crash.
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
  using Entries = std::vector<std::pair<std::string, std::string>>;
  struct Marker {
    explicit Marker(const std::string& path) : file(path) {}
    CrashMarkerFile file;
    Entries entries;  // while owned
  };

  std::string SectionPath(const std::string& app, const std::string& section) const;
  // The marker is written for every picture: its path is worked out once.
  const std::string& MarkerPath(const std::string& app);
  bool ReplaceFile(const std::string& path, const std::string& text);
  std::string ReadMarker(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& fallback);
  bool WriteMarker(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value);

  std::string configHome_;
  std::map<std::string, std::unique_ptr<Marker>> markers_;  // by path
  std::string text_;                                        // reused for every marker write
  std::string markerApp_;
  std::string markerPath_;  // of markerApp_, once worked out
};

}  // namespace zb
