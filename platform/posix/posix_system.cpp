#include "platform/posix/posix_system.h"

#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "platform/version.h"

namespace zb {
namespace {

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

bool IsProgram(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         access(path.c_str(), X_OK) == 0;
}

std::optional<std::string> FindOnPath(std::string_view searchPath, std::string_view name) {
  while (!searchPath.empty()) {
    const std::size_t end = std::min(searchPath.find(':'), searchPath.size());
    const std::string_view folder = searchPath.substr(0, end);
    searchPath.remove_prefix(std::min(end + 1, searchPath.size()));
    if (folder.empty()) continue;
    std::string candidate = std::string(folder) + "/" + std::string(name);
    if (IsProgram(candidate)) return candidate;
  }
  return std::nullopt;
}

}  // namespace

std::string PosixSystem::WindowsDirectory() {
  const DriveTable& table = paths_.table();
  const char letter =
      table.Has('c') || table.drives().empty() ? 'c' : table.drives().front().letter;
  return std::string(1, static_cast<char>(letter - 'a' + 'A')) + ":\\WINDOWS";
}

std::string PosixSystem::Drives() {
  std::string letters;
  for (const Drive& drive : paths_.table().drives()) letters += drive.letter;
  return letters;
}

Version PosixSystem::ProgramVersion() {
  return {ZORBELLE_VERSION_MAJOR, ZORBELLE_VERSION_MINOR, ZORBELLE_VERSION_REVISION};
}

namespace {

std::filesystem::path HostProgramFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program.parent_path();
}

}  // namespace

std::string PosixSystem::ProgramFolder() {
  const std::filesystem::path folder = HostProgramFolder();
  if (folder.empty()) return {};
  return paths_.ToDrive(folder.string()).value_or(std::string());
}

std::string PosixSystem::DocumentFolder() {
  const std::filesystem::path folder = HostProgramFolder();
  if (folder.empty()) return {};
  const std::filesystem::path documents = folder.parent_path() / "share" / "doc" / "zorbelle";
  return paths_.ToDrive(documents.string()).value_or(std::string());
}

std::chrono::system_clock::time_point PosixSystem::Now() {
  return std::chrono::system_clock::now();
}

void PosixSystem::YieldToEvents() {
  if (yieldHook_) yieldHook_();
}

void PosixSystem::TrimWorkingSet() { malloc_trim(0); }

std::optional<std::string> PosixSystem::ReadRegistryString(const std::string& /*root*/,
                                                           const std::string& key,
                                                           const std::string& value) {
  if (!SameTextIgnoringCase(key, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO") ||
      !SameTextIgnoringCase(value, "PATH")) {
    return std::nullopt;
  }
  for (const char* name : {"hardinfo", "kinfocenter", "gnome-system-monitor"}) {
    const std::optional<std::string> found = FindOnPath(searchPath_, name);
    if (std::optional<std::string> drivePath = found ? paths_.ToDrive(*found) : std::nullopt) {
      return drivePath;
    }
  }
  return std::nullopt;
}

bool PosixSystem::FileExists(const std::string& path) {
  struct stat status;
  const int result = paths_.Attempt(
      path, [&status](const std::string& host) { return stat(host.c_str(), &status); });
  return result == 0 && !S_ISDIR(status.st_mode);
}

bool PosixSystem::StartProgram(const std::string& path) {
  const std::optional<std::string> host = paths_.Resolve(path);
  return host && spawner_.Spawn({*host});
}

void PosixSystem::EndProgram(int exitCode) {
  std::fflush(nullptr);
  std::exit(exitCode);
}

}  // namespace zb
