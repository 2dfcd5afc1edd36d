#pragma once

#include <string>

namespace zb {

struct Platform;

// Asks before deleting; 1 when the file was deleted, 0 when declined.
int ConfirmDeleteFile(Platform& platform, const std::string& path);
// The same for a file the walk found below folder: the deletion refuses a
// link, anything but a plain file, and a path reached through a linked folder.
int ConfirmDeleteFileBelow(Platform& platform, const std::string& folder, const std::string& path);

}  // namespace zb
