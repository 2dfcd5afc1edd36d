#pragma once

#include <fcntl.h>
#include <sys/stat.h>

#include <string>

#include "platform/posix/unique_fd.h"

namespace zb {

// A host folder opened for the *at calls (O_PATH), however long its path: a
// path beyond the system's limit is opened a piece at a time, each piece
// relative to the one before. Invalid, with errno set, when it cannot be.
UniqueFd OpenHostFolder(const std::string& folder);

// stat() that also reaches paths longer than the system's limit.
bool StatHostPath(const std::string& path, struct stat& st);

// open() that also reaches paths longer than the system's limit.
int OpenHostPath(const std::string& path, int flags);

// Where a host path's last name lies, for the *at calls. A path within the
// system's limit is used whole against the working folder, at no extra cost;
// only a longer one has its folder opened first.
class HostEntry {
 public:
  explicit HostEntry(const std::string& path);

  // AT_FDCWD or an open folder; -1, with errno set, when the folder could
  // not be reached (the *at calls then fail with EBADF, so check first).
  int folder() const { return folder_; }
  const char* name() const { return name_.c_str(); }

 private:
  UniqueFd owned_;
  int folder_ = AT_FDCWD;
  std::string name_;
};

}  // namespace zb
