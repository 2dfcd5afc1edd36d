#include "platform/win32/win32_file_system.h"

#include <algorithm>
#include <string_view>

#include "platform/walk_ahead.h"
#include "platform/win32/long_path.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_disk_file.h"
#include "platform/win32/win32_entry.h"
#include "platform/win32/win32_entry_below.h"
#include "platform/win32/win32_file_error.h"
#include "platform/win32/win32_folder_listing.h"
#include "platform/win32/win32_folder_lock.h"
#include "platform/win32/windows_api.h"
#include "text/url_path.h"

namespace zb {
namespace {

constexpr std::uint32_t kReported = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrDirectory;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool IsDrivePath(std::string_view path) {
  return path.size() >= 3 && path[1] == ':' && path[2] == '\\' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// Marks an opened entry for deletion when its handle closes.
bool MarkForDeletion(HANDLE entry) {
  FILE_DISPOSITION_INFO dispose{TRUE};
  return SetFileInformationByHandle(entry, FileDispositionInfo, &dispose, sizeof dispose) != 0;
}

}  // namespace

std::unique_ptr<FolderListing> Win32FileSystem::ListFolder(const std::string& folder,
                                                           std::uint32_t mask) {
  return Win32FolderListing::Open(folder, mask);
}

std::optional<std::uint32_t> Win32FileSystem::GetAttributes(const std::string& path) {
  std::string_view entry = path;
  const bool namesFolder = entry.ends_with('\\');
  while (entry.size() > 3 && entry.ends_with('\\')) entry.remove_suffix(1);
  const std::wstring wide = LongPathOf(entry);
  DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    const UniqueHandle target(CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!target || !GetFileInformationByHandle(target.get(), &info)) return std::nullopt;
    attributes = (attributes & ~DWORD{FILE_ATTRIBUTE_DIRECTORY}) |
                 (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  if (namesFolder && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  return attributes & kReported;
}

void Win32FileSystem::MakeFolder(const std::string& path) {
  if (!CreateDirectoryW(LongPathOf(path).c_str(), nullptr)) {
    ThrowFileError("Cannot make folder", path, GetLastError());
  }
}

void Win32FileSystem::DeleteFile(const std::string& path) {
  if (!DeleteFileW(LongPathOf(path).c_str())) ThrowFileError("Cannot delete", path, GetLastError());
}

bool Win32FileSystem::IsPlainFileBelow(const std::string& folder, const std::string& path) {
  const std::optional<EntryBelow> below = EntryBelow::Find(folder, path);
  if (!below) return false;
  const UniqueHandle entry = OpenEntry(below->path(), FILE_READ_ATTRIBUTES, kShareAll);
  return entry && KindOf(entry.get(), below->path()) == EntryKind::kPlainFile;
}

void Win32FileSystem::DeleteFileBelow(const std::string& folder, const std::string& path) {
  const std::optional<EntryBelow> below = EntryBelow::Find(folder, path);
  const UniqueHandle entry =
      below ? OpenEntry(below->path(), DELETE | FILE_READ_ATTRIBUTES, kShareAll) : UniqueHandle();
  if (!entry || KindOf(entry.get(), below->path()) != EntryKind::kPlainFile) {
    throw NotAPlainFileError(path);
  }
  if (!MarkForDeletion(entry.get())) ThrowFileError("Cannot delete", path, GetLastError());
}

int Win32FileSystem::DeleteOwnTextFiles(const std::string& folder,
                                        const std::function<bool(std::string_view)>& picks,
                                        std::string_view firstLine) {
  std::wstring base = LongPathOf(folder);
  if (!base.ends_with(L'\\')) base += L'\\';
  // Held unshared for deletion: the folder cannot be swapped meanwhile.
  const UniqueHandle held(CreateFileW(base.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!held) return 0;
  std::string head;
  AppendShiftJis(firstLine, encoding_, head);
  head += "\r\n";
  std::string bytes(head.size(), '\0');
  int deleted = 0;
  const auto listing = Win32FolderListing::Open(folder, kAttrHidden | kAttrSystem);
  FolderEntry found;
  while (listing && listing->Next(found)) {
    if (found.name == "." || found.name == ".." || !picks(found.name)) continue;
    const std::wstring path = base + WideFromUtf8(found.name);
    // Unshared for writing: what is read stays what is deleted.
    const UniqueHandle entry =
        OpenEntry(path, GENERIC_READ | DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE);
    if (entry && KindOf(entry.get(), path) == EntryKind::kPlainFile &&
        ReadAtOffset(entry.get(), 0, std::as_writable_bytes(std::span(bytes))) == head.size() &&
        bytes == head && MarkForDeletion(entry.get())) {
      ++deleted;
    }
  }
  return deleted;
}

std::unique_ptr<TextFile> Win32FileSystem::CreateTextFile(const std::string& path) {
  return Win32OutputFile::Create(path, encoding_, calls_);
}

std::unique_ptr<FolderLock> Win32FileSystem::LockFolder(const std::string& folder) {
  return LockWin32Folder(folder);
}

std::size_t Win32FileSystem::ReadAt(const std::string& path, std::uint64_t offset,
                                    std::span<std::byte> buffer) {
  const UniqueHandle file = OpenDiskFileForReading(path);
  if (!file) ThrowFileError("Cannot open", path, GetLastError());
  const std::optional<std::size_t> done = ReadAtOffset(file.get(), offset, buffer);
  if (!done) ThrowFileError("Cannot read", path, GetLastError());
  return *done;
}

std::string Win32FileSystem::FileUrl(const std::string& path) {
  const std::string spelled = SpelledAsOnDisk(path);
  if (!IsDrivePath(spelled)) {
    std::string url = "file:";
    AppendUrlPath(url, spelled, '\\');
    return url;
  }
  // The drive's colon stays, as browsers write it.
  std::string url = "file:///" + spelled.substr(0, 2);
  AppendUrlPath(url, std::string_view(spelled).substr(2), '\\');
  return url;
}

std::unique_ptr<WalkAhead> Win32FileSystem::StartWalkAhead(WalkPlan /*plan*/) { return nullptr; }

std::string Win32FileSystem::SpelledAsOnDisk(const std::string& path) {
  if (!IsDrivePath(path)) return path;
  std::string spelled = path.substr(0, 3);
  std::size_t from = 3;
  for (; from < path.size(); from = path.find('\\', from) + 1) {
    const std::size_t to = std::min(path.find('\\', from), path.size());
    const std::string_view name = std::string_view(path).substr(from, to - from);
    WIN32_FIND_DATAW found;
    if (name.empty() || name == "." || name == ".." ||
        !ListedEntry(LongPathOf(spelled + std::string(name)), found)) {
      break;
    }
    spelled += Utf8FromWide(found.cFileName);
    if (to == path.size()) return spelled;
    spelled += '\\';
  }
  return spelled + path.substr(std::min(from, path.size()));
}

}  // namespace zb
