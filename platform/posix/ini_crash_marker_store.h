#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/crash_marker_store.h"
#include "platform/posix/crash_marker_file.h"
#include "text/ini_text.h"

namespace zb {

// The crash marker as the INI file of its section beside the other settings
// ("Zorbelle/PictureBox_LoadPicture_PgmEnd.ini"). Unlike them it is owned by
// the writing run and rewritten in place through a shared mapping
// (CrashMarkerFile), as it is written before every picture a run loads.
class IniCrashMarkerStore : public CrashMarkerStore {
 public:
  explicit IniCrashMarkerStore(std::string configHome) : configHome_(std::move(configHome)) {}
  IniCrashMarkerStore(const IniCrashMarkerStore&) = delete;
  IniCrashMarkerStore& operator=(const IniCrashMarkerStore&) = delete;

  std::string Read(const std::string& app, const std::string& fallback) override;
  // Makes the folders it needs; false when they or the file cannot be
  // written, and while another living run owns the marker, unless clearing.
  bool Write(const std::string& app, const std::string& picturePath) override;

 private:
  struct Marker {
    explicit Marker(const std::string& path) : file(path) {}
    CrashMarkerFile file;
    IniEntries entries;  // while owned
  };

  // Written for every picture: the path is worked out once.
  const std::string& PathOf(const std::string& app);

  std::string configHome_;
  std::map<std::string, std::unique_ptr<Marker>> markers_;  // by path
  std::string text_;                                        // reused for every write
  std::string lastApp_;
  std::string lastPath_;  // of lastApp_, once worked out
};

}  // namespace zb
