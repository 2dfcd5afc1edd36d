#pragma once

#include <cerrno>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/posix/drive_table.h"
#include "platform/posix/host_path_resolver.h"

namespace zb {

// Drive paths made into host paths, with Windows' disregard of letter case.
class DrivePaths {
 public:
  explicit DrivePaths(DriveTable table) : table_(std::move(table)) {}

  const DriveTable& table() const { return table_; }

  // The host path as spelt; empty for a path on a drive the table lacks.
  std::optional<std::string> ToHost(std::string_view drivePath) const {
    return table_.ToHost(drivePath);
  }
  // The host path with existing entries spelt as on disk.
  std::optional<std::string> Resolve(std::string_view drivePath);
  // The same for the drive path itself; the drive letter stays as given.
  std::string SpelledAsOnDisk(std::string_view drivePath);
  std::string ResolveHost(const std::string& hostPath) { return resolver_.Resolve(hostPath); }
  // The drive path of a host path; empty when no drive holds it.
  std::optional<std::string> ToDrive(std::string_view hostPath) const {
    return table_.ToDrive(hostPath);
  }

  // Calls call(hostPath), which returns -1 and sets errno on failure, with the
  // path as spelt and, when nothing is there (ENOENT), once more with the
  // entries found whatever their case. Paths from listings are exact, so the
  // usual case costs no look-up.
  template <typename Call>
  int Attempt(std::string_view drivePath, Call&& call) {
    const std::optional<std::string> host = table_.ToHost(drivePath);
    if (!host) {
      errno = ENOENT;
      return -1;
    }
    const int result = call(*host);
    if (result != -1 || errno != ENOENT) return result;
    const std::string resolved = resolver_.Resolve(*host);
    if (resolved == *host) {
      errno = ENOENT;
      return -1;
    }
    return call(resolved);
  }

  // An entry was made at this host path.
  void NoteCreated(const std::string& hostPath) { resolver_.NoteCreated(hostPath); }

 private:
  DriveTable table_;
  HostPathResolver resolver_;
};

}  // namespace zb
