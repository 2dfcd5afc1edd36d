#pragma once

#include <string>

#include "platform/win32/windows_api.h"

namespace zb {

// Throws FileError naming what failed, the drive path and the system's text
// for error.
[[noreturn]] void ThrowFileError(const char* what, const std::string& path, DWORD error);

}  // namespace zb
