#pragma once

// <windows.h> without its DeleteFile macro, which would rename
// FileSystem::DeleteFile to DeleteFileA or DeleteFileW in any file that
// includes both. Include this instead of <windows.h>, before it if at all.
#include <windows.h>
#undef DeleteFile
