#include "platform/posix/ini_settings_store.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "platform/posix/drive_table.h"
#include "platform/posix/ini_section_file.h"
#include "text/ini_text.h"

namespace zb {
namespace {

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

std::string IniSettingsStore::Read(const std::string& app, const std::string& section,
                                   const std::string& key, const std::string& fallback) {
  return IniValueOf(ReadIniSection(IniSectionPath(configHome_, app, section), section), key,
                    fallback);
}

bool IniSettingsStore::Write(const std::string& app, const std::string& section,
                             const std::string& key, const std::string& value) {
  return WriteSection(app, section, {{key, value}});
}

bool IniSettingsStore::WriteSection(const std::string& app, const std::string& section,
                                    const Values& values) {
  const std::string path = IniSectionPath(configHome_, app, section);
  if (!MakeFolderFor(path)) return false;
  IniEntries entries = ReadIniSection(path, section);
  for (const auto& [key, value] : values) SetIniValue(entries, key, value);
  std::string text;
  return AppendIniSection(text, section, entries) && ReplaceFile(path, text);
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

}  // namespace zb
