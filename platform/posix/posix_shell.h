#pragma once

#include <string>
#include <utility>

#include "platform/posix/detached_spawner.h"
#include "platform/posix/drive_paths.h"
#include "platform/shell.h"

namespace zb {

// Opens files and web addresses with the desktop's opener (xdg-open) without
// waiting for it: drive paths go as host paths, web addresses as they are.
class PosixShell : public Shell {
 public:
  explicit PosixShell(DrivePaths& paths, std::string opener = "xdg-open")
      : paths_(paths), opener_(std::move(opener)) {}

  // The verb is ignored: the opener knows one action only.
  void Open(const std::string& verb, const std::string& document,
            const std::string& workingFolder) override;

 private:
  DrivePaths& paths_;
  std::string opener_;
  DetachedSpawner spawner_;
};

}  // namespace zb
