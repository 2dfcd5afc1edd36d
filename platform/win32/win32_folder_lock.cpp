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
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::make_unique<Win32FolderLock>(UniqueHandle());
  }
  if (!path.ends_with(L'\\')) path += L'\\';
  UniqueHandle file(CreateFileW((path + L".zorbelle-lock").c_str(), GENERIC_READ | DELETE, 0,
                                nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  if (file) return std::make_unique<Win32FolderLock>(std::move(file));
  if (GetLastError() == ERROR_SHARING_VIOLATION) return nullptr;
  throw FolderLockError(folder);
}

}  // namespace zb
