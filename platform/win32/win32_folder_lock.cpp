#include "platform/win32/win32_folder_lock.h"

#include "platform/win32/long_path.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace zb {
namespace {

class Win32FolderLock : public FolderLock {
 public:
  explicit Win32FolderLock(UniqueHandle file) : file_(std::move(file)) {}

 private:
  UniqueHandle file_;  // the lock lasts as long as this handle
};

}  // namespace

std::unique_ptr<FolderLock> LockWin32Folder(const std::string& folder) {
  std::wstring path = LongPathOf(folder);
  // "\\?\C:\" names the root; any other folder without its last "\".
  if (path.ends_with(L'\\') && !path.ends_with(L":\\")) path.pop_back();
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::make_unique<Win32FolderLock>(UniqueHandle());
  }
  // The folder itself, opened to add files and sharing everything but that:
  // a second run's open fails, while others list, read, write and rename
  // in it as before. No file of ours shows in the folder.
  UniqueHandle handle(CreateFileW(path.c_str(), FILE_ADD_FILE | SYNCHRONIZE,
                                  FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (handle) return std::make_unique<Win32FolderLock>(std::move(handle));
  if (GetLastError() == ERROR_SHARING_VIOLATION) return nullptr;
  throw FolderLockError(folder);
}

}  // namespace zb
