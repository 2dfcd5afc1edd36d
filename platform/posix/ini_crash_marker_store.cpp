#include "platform/posix/ini_crash_marker_store.h"

#include "platform/posix/ini_section_file.h"

namespace zb {

const std::string& IniCrashMarkerStore::PathOf(const std::string& app) {
  if (lastPath_.empty() || app != lastApp_) {
    lastApp_ = app;
    lastPath_ = IniSectionPath(configHome_, app, kCrashMarkerSection);
  }
  return lastPath_;
}

std::string IniCrashMarkerStore::Read(const std::string& app, const std::string& fallback) {
  const std::string path = IniSectionPath(configHome_, app, kCrashMarkerSection);
  if (const auto found = markers_.find(path);
      found != markers_.end() && found->second->file.Owned()) {
    return IniValueOf(found->second->entries, kCrashMarkerKey, fallback);
  }
  IniEntries entries;
  if (!CrashMarkerFile::UnlessOwned(path,
                                    [&] { entries = ReadIniSection(path, kCrashMarkerSection); })) {
    return "";
  }
  return IniValueOf(entries, kCrashMarkerKey, fallback);
}

bool IniCrashMarkerStore::Write(const std::string& app, const std::string& picturePath) {
  const std::string& path = PathOf(app);
  auto& marker = markers_[path];
  if (!marker) marker = std::make_unique<Marker>(path);
  if (!marker->file.Owned()) {
    if (!MakeFolderFor(path)) return false;
    switch (marker->file.Own()) {
      case CrashMarkerFile::Ownership::kOwned:
        marker->entries = ReadIniSection(path, kCrashMarkerSection);
        break;
      case CrashMarkerFile::Ownership::kOwnedElsewhere:
        // A living run's record stands; clearing it is that run's business.
        return picturePath.empty();
      case CrashMarkerFile::Ownership::kUnavailable:
        return false;
    }
  }
  SetIniValue(marker->entries, kCrashMarkerKey, picturePath);
  text_.clear();
  const bool written =
      AppendIniSection(text_, kCrashMarkerSection, marker->entries) && marker->file.Write(text_);
  // A clean marker needs no owner.
  if (picturePath.empty()) marker->file.Release();
  return written;
}

}  // namespace zb
