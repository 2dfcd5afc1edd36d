#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"

namespace zb {

// Locks an output folder through a handle of the folder itself that shares
// no writes, which the system drops when the holder ends, however it ends.
// Null while another holds it (or another program keeps writes out); a
// folder that does not exist gives a lock that holds nothing;
// FolderLockError when the folder cannot be opened so.
std::unique_ptr<FolderLock> LockWin32Folder(const std::string& folder);

}  // namespace zb
