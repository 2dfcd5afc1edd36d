#include "platform/win32/win32_entry.h"

namespace zb {

UniqueHandle OpenEntry(const std::wstring& path, DWORD access, DWORD share) {
  return UniqueHandle(CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                  nullptr));
}

bool ListedEntry(const std::wstring& path, WIN32_FIND_DATAW& found) {
  // A wildcard would list other entries under this one's name.
  if (path.find_first_of(L"*?", 4) != std::wstring::npos) return false;
  const HANDLE find =
      FindFirstFileExW(path.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  return true;
}

EntryKind KindOf(HANDLE entry, const std::wstring& path) {
  FILE_ATTRIBUTE_TAG_INFO info{};
  WIN32_FIND_DATAW listed;
  if (GetFileType(entry) != FILE_TYPE_DISK ||
      !GetFileInformationByHandleEx(entry, FileAttributeTagInfo, &info, sizeof info) ||
      (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !ListedEntry(path, listed) ||
      (listed.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return EntryKind::kOther;
  }
  return (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::kFolder
                                                          : EntryKind::kPlainFile;
}

}  // namespace zb
