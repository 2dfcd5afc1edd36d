#include "platform/posix/ini_settings_store.h"

#include <fcntl.h>
#include <ini.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "platform/posix/drive_table.h"
#include "text/ini_text.h"
#include "text/letter_case.h"

namespace zb {
namespace {

// Written before every picture a run loads.
constexpr std::string_view kCrashMarkerSection = "PictureBox_LoadPicture_PgmEnd";

using Entries = std::vector<std::pair<std::string, std::string>>;

struct Parse {
  std::string_view section;
  Entries entries;
};

// Keys and sections compare as in the Windows registry: without regard to case.
int OnEntry(void* user, const char* section, const char* name, const char* value) {
  auto* parse = static_cast<Parse*>(user);
  if (section[0] != '\0' && !EqualsIgnoreCase(UnescapeIniText(section), parse->section)) return 1;
  std::string key = UnescapeIniText(name);
  // Continuation lines come as further values of the key just read.
  if (!parse->entries.empty() && parse->entries.back().first == key) {
    parse->entries.back().second += UnescapeIniText(value);
  } else {
    parse->entries.emplace_back(std::move(key), UnescapeIniText(value));
  }
  return 1;
}

// Only a regular file is read, and only so much of it: a device or a pipe
// in its place must not hang the start.
std::string ReadSettingsFile(const std::string& path) {
  constexpr off_t kLargest = off_t{1} << 20;
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {};
  std::string text;
  struct stat status;
  if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    text.resize(static_cast<std::size_t>(std::min(status.st_size, kLargest)));
    std::size_t filled = 0;
    while (filled < text.size()) {
      const ssize_t n = read(fd, text.data() + filled, text.size() - filled);
      if (n > 0) {
        filled += static_cast<std::size_t>(n);
      } else if (n == 0 || errno != EINTR) {
        break;
      }
    }
    text.resize(filled);
  }
  close(fd);
  return text;
}

Entries ReadEntries(const std::string& path, std::string_view section) {
  Parse parse{section, {}};
  ini_parse_string(ReadSettingsFile(path).c_str(), OnEntry, &parse);
  return std::move(parse.entries);
}

std::string ValueOf(const Entries& entries, const std::string& key, const std::string& fallback) {
  const auto found = std::find_if(entries.begin(), entries.end(), [&key](const auto& entry) {
    return EqualsIgnoreCase(entry.first, key);
  });
  return found != entries.end() ? found->second : fallback;
}

void Set(Entries& entries, const std::string& key, const std::string& value) {
  const auto found = std::find_if(entries.begin(), entries.end(), [&key](const auto& entry) {
    return EqualsIgnoreCase(entry.first, key);
  });
  if (found != entries.end()) {
    found->second = value;
  } else {
    entries.emplace_back(key, value);
  }
}

bool Serialize(std::string_view section, const Entries& entries, std::string& out) {
  out += '[';
  out += EscapeIniText(section, "[]");
  out += "]\n";
  return std::all_of(entries.begin(), entries.end(), [&out](const auto& entry) {
    return AppendIniEntry(out, entry.first, entry.second);
  });
}

// A name that is safe as one file name: no "/", no leading dot.
std::string FileNameOf(std::string_view name) {
  std::string escaped = EscapeIniText(name, "/");
  if (escaped.starts_with('.')) escaped.replace(0, 1, "%2E");
  return escaped;
}

bool MakeFolderFor(const std::string& path) {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::filesystem::create_directories(folder, error);
  return !error && std::filesystem::is_directory(folder, error);
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

std::string IniSettingsStore::ConfigHomeFromEnvironment() {
  if (const char* home = std::getenv("XDG_CONFIG_HOME"); home != nullptr && home[0] == '/') {
    return home;
  }
  return HostHomeFolder() + "/.config";
}

std::string IniSettingsStore::SectionPath(const std::string& app,
                                          const std::string& section) const {
  return configHome_ + "/" + FileNameOf(app) + "/" + FileNameOf(section) + ".ini";
}

const std::string& IniSettingsStore::MarkerPath(const std::string& app) {
  if (markerPath_.empty() || app != markerApp_) {
    markerApp_ = app;
    markerPath_ = SectionPath(app, std::string(kCrashMarkerSection));
  }
  return markerPath_;
}

std::string IniSettingsStore::Read(const std::string& app, const std::string& section,
                                   const std::string& key, const std::string& fallback) {
  const std::string path = SectionPath(app, section);
  if (section == kCrashMarkerSection) return ReadMarker(path, section, key, fallback);
  return ValueOf(ReadEntries(path, section), key, fallback);
}

std::string IniSettingsStore::ReadMarker(const std::string& path, const std::string& section,
                                         const std::string& key, const std::string& fallback) {
  if (const auto found = markers_.find(path);
      found != markers_.end() && found->second->file.Owned()) {
    return ValueOf(found->second->entries, key, fallback);
  }
  Entries entries;
  if (!CrashMarkerFile::UnlessOwned(path, [&] { entries = ReadEntries(path, section); })) {
    return "";
  }
  return ValueOf(entries, key, fallback);
}

bool IniSettingsStore::Write(const std::string& app, const std::string& section,
                             const std::string& key, const std::string& value) {
  if (section == kCrashMarkerSection) {
    return WriteMarker(MarkerPath(app), section, key, value);
  }
  return WriteSection(app, section, {{key, value}});
}

bool IniSettingsStore::WriteSection(const std::string& app, const std::string& section,
                                    const Values& values) {
  if (section == kCrashMarkerSection) return SettingsStore::WriteSection(app, section, values);
  const std::string path = SectionPath(app, section);
  if (!MakeFolderFor(path)) return false;
  Entries entries = ReadEntries(path, section);
  for (const auto& [key, value] : values) Set(entries, key, value);
  std::string text;
  return Serialize(section, entries, text) && ReplaceFile(path, text);
}

bool IniSettingsStore::ReplaceFile(const std::string& path, const std::string& text) {
  std::string temporary = path + ".XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool written = WriteAll(fd, text) && fsync(fd) == 0;
  written = close(fd) == 0 && written;
  if (written && rename(temporary.c_str(), path.c_str()) == 0) return true;
  unlink(temporary.c_str());
  return false;
}

bool IniSettingsStore::WriteMarker(const std::string& path, const std::string& section,
                                   const std::string& key, const std::string& value) {
  auto& marker = markers_[path];
  if (!marker) marker = std::make_unique<Marker>(path);
  if (!marker->file.Owned()) {
    if (!MakeFolderFor(path)) return false;
    switch (marker->file.Own()) {
      case CrashMarkerFile::Ownership::kOwned:
        marker->entries = ReadEntries(path, section);
        break;
      case CrashMarkerFile::Ownership::kOwnedElsewhere:
        // A living run's record stands; clearing it is that run's business.
        return value.empty();
      case CrashMarkerFile::Ownership::kUnavailable:
        return false;
    }
  }
  Set(marker->entries, key, value);
  text_.clear();
  const bool written = Serialize(section, marker->entries, text_) && marker->file.Write(text_);
  // A clean marker needs no owner.
  if (value.empty()) marker->file.Release();
  return written;
}

}  // namespace zb
