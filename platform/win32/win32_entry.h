#pragma once

#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace zb {

enum class EntryKind { kPlainFile, kFolder, kOther };

// Opens the entry at a long path itself, never what a link or junction
// leads to; a folder opens too.
UniqueHandle OpenEntry(const std::wstring& path, DWORD access, DWORD share);

// What an entry opened by OpenEntry is. A reparse point of any kind, a pipe
// or a device is kOther. Wine shows a link to a folder as a reparse point
// only in listings, so the listing of path is asked as well.
EntryKind KindOf(HANDLE entry, const std::wstring& path);

// The entry's name as listed (its spelling on disk) and listing attributes;
// false when it cannot be listed.
bool ListedEntry(const std::wstring& path, WIN32_FIND_DATAW& found);

}  // namespace zb
