#include "platform/posix/ini_section_file.h"

#include <fcntl.h>
#include <ini.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "text/letter_case.h"

namespace zb {
namespace {

struct Parse {
  std::string_view section;
  IniEntries entries;
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

// A name that is safe as one file name: no "/", no leading dot.
std::string FileNameOf(std::string_view name) {
  std::string escaped = EscapeIniText(name, "/");
  if (escaped.starts_with('.')) escaped.replace(0, 1, "%2E");
  return escaped;
}

}  // namespace

std::string IniSectionPath(const std::string& configHome, const std::string& app,
                           const std::string& section) {
  return configHome + "/" + FileNameOf(app) + "/" + FileNameOf(section) + ".ini";
}

IniEntries ReadIniSection(const std::string& path, std::string_view section) {
  Parse parse{section, {}};
  ini_parse_string(ReadSettingsFile(path).c_str(), OnEntry, &parse);
  return std::move(parse.entries);
}

bool MakeFolderFor(const std::string& path) {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::filesystem::create_directories(folder, error);
  return !error && std::filesystem::is_directory(folder, error);
}

}  // namespace zb
