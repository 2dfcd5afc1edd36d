#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"

namespace zb {

// Locks an output folder through a hidden lock file in it, opened unshared
// and deleted on close: the system drops both when the holder ends, however
// it ends. Null while another holds it; a folder that does not exist gives a
// lock that holds nothing; FolderLockError when the file cannot be made.
std::unique_ptr<FolderLock> LockWin32Folder(const std::string& folder);

}  // namespace zb
