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
#include "platform/posix/ini_text.h"

namespace zb {
namespace {

// Written before every picture a run loads.
constexpr std::string_view kCrashMarkerSection = "PictureBox_LoadPicture_PgmEnd";

// Keys and sections compare as in the Windows registry: without regard to case.
bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

using Entries = std::vector<std::pair<std::string, std::string>>;

struct Parse {
  std::string_view section;
  Entries entries;
};

int OnEntry(void* user, const char* section, const char* name, const char* value) {
  auto* parse = static_cast<Parse*>(user);
  if (section[0] != '\0' && !SameName(UnescapeIniText(section), parse->section)) return 1;
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

void Set(Entries& entries, const std::string& key, const std::string& value) {
  const auto found = std::find_if(entries.begin(), entries.end(),
                                  [&key](const auto& entry) { return SameName(entry.first, key); });
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

IniSettingsStore::~IniSettingsStore() {
  for (const auto& [path, file] : inPlace_) close(file.fd);
}

std::string IniSettingsStore::SectionPath(const std::string& app,
                                          const std::string& section) const {
  return configHome_ + "/" + FileNameOf(app) + "/" + FileNameOf(section) + ".ini";
}

std::string IniSettingsStore::Read(const std::string& app, const std::string& section,
                                   const std::string& key, const std::string& fallback) {
  const Entries entries = ReadEntries(SectionPath(app, section), section);
  const auto found = std::find_if(entries.begin(), entries.end(),
                                  [&key](const auto& entry) { return SameName(entry.first, key); });
  return found != entries.end() ? found->second : fallback;
}

bool IniSettingsStore::Write(const std::string& app, const std::string& section,
                             const std::string& key, const std::string& value) {
  if (section == kCrashMarkerSection) {
    return WriteInPlace(SectionPath(app, section), section, key, value);
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

bool IniSettingsStore::WriteInPlace(const std::string& path, const std::string& section,
                                    const std::string& key, const std::string& value) {
  auto found = inPlace_.find(path);
  if (found == inPlace_.end()) {
    if (!MakeFolderFor(path)) return false;
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    struct stat status;
    if (fd < 0 || fstat(fd, &status) != 0) {
      if (fd >= 0) close(fd);
      return false;
    }
    found = inPlace_
                .emplace(path, InPlaceFile{fd, ReadEntries(path, section),
                                           static_cast<std::size_t>(status.st_size)})
                .first;
  }
  InPlaceFile& file = found->second;
  Set(file.entries, key, value);
  text_.clear();
  if (!Serialize(section, file.entries, text_)) return false;
  const std::size_t length = text_.size();
  // Blank lines, which readers skip, cover the rest of a longer old text in
  // the same write: the file reads whole at every moment.
  if (length < file.size) text_.append(file.size - length, '\n');
  const ssize_t written = pwrite(file.fd, text_.data(), text_.size(), 0);
  file.size = std::max(file.size, text_.size());
  if (written != static_cast<ssize_t>(text_.size())) return false;
  // Trimming the padding costs more than the write itself: it waits until
  // the marker is cleared.
  if (!value.empty() || length == file.size) return true;
  if (ftruncate(file.fd, static_cast<off_t>(length)) != 0) return false;
  file.size = length;
  return true;
}

}  // namespace zb
