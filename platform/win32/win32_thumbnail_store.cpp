#include "platform/win32/win32_thumbnail_store.h"

#include <atomic>

#include "platform/win32/long_path.h"
#include "platform/win32/whole_handle_transfers.h"
#include "platform/win32/wide_text.h"

namespace zb {
namespace {

std::atomic<unsigned long> temporaryCounter{0};

// FILETIME counts 100 ns steps.
std::int64_t Nanoseconds(std::int64_t ticks) { return ticks * 100; }
std::int64_t Ticks(const FILETIME& t) {
  return static_cast<std::int64_t>((std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime);
}

bool IsPlainFile(DWORD attributes) {
  return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

// Calls each entry with its name and attributes; false when the folder
// cannot be listed.
template <typename Each>
bool ForEachEntry(const std::wstring& folder, Each each) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    const std::wstring_view name = found.cFileName;
    if (name != L"." && name != L"..") each(name, found.dwFileAttributes);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return true;
}

bool IsEmpty(const std::wstring& folder) {
  bool empty = true;
  return ForEachEntry(folder, [&](std::wstring_view, DWORD) { empty = false; }) && empty;
}

bool HasMark(const std::wstring& folder) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return GetFileAttributesExW((folder + WideFromUtf8(kThumbnailOwnerMark)).c_str(),
                              GetFileExInfoStandard, &data) &&
         IsPlainFile(data.dwFileAttributes);
}

bool PutMark(const std::wstring& folder) {
  UniqueHandle mark(CreateFileW((folder + WideFromUtf8(kThumbnailOwnerMark)).c_str(), GENERIC_WRITE,
                                0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  const std::string text = std::string(kThumbnailOwnerMarkLine) + "\r\n";
  return mark && WriteWhole(mark.get(), text.data(), text.size());
}

}  // namespace

std::unique_ptr<Win32ThumbnailStore> Win32ThumbnailStore::Open(const std::string& outputFolder) {
  std::wstring folder = LongPathOf(outputFolder);
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  folder += WideFromUtf8(kThumbnailFolder);
  if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    return nullptr;
  }
  // The reparse point itself is opened, not where it leads, and refused
  // below; no delete sharing keeps the folder where it is while held.
  UniqueHandle held(CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                nullptr));
  // Wine opens through a link all the same but shows it in the entry.
  BY_HANDLE_FILE_INFORMATION info{};
  if (!held || !GetFileInformationByHandle(held.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
      ((info.dwFileAttributes | GetFileAttributesW(folder.c_str())) &
       FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    return nullptr;
  }
  folder += L'\\';
  if (!HasMark(folder) && !(IsEmpty(folder) && PutMark(folder))) return nullptr;
  return std::unique_ptr<Win32ThumbnailStore>(
      new Win32ThumbnailStore(std::move(folder), std::move(held)));
}

std::wstring Win32ThumbnailStore::PathOf(std::string_view name) const {
  return folder_ + WideFromUtf8(name);
}

std::optional<ThumbnailStore::Picture> Win32ThumbnailStore::Find(const std::string& picturePath,
                                                                 int side) {
  const std::optional<ThumbnailSource> source = ThumbnailSourceOfFile(picturePath, side);
  if (!source) return std::nullopt;
  return Picture{picturePath, ThumbnailFileName(*source),
                 [this](const std::string& name, std::span<const std::uint8_t> bytes) {
                   return Write(name, bytes);
                 }};
}

bool Win32ThumbnailStore::Has(const std::string& name) const {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return GetFileAttributesExW(PathOf(name).c_str(), GetFileExInfoStandard, &data) &&
         IsPlainFile(data.dwFileAttributes) && (data.nFileSizeLow != 0 || data.nFileSizeHigh != 0);
}

bool Win32ThumbnailStore::Write(const std::string& name, std::span<const std::uint8_t> bytes) {
  const std::wstring temporary =
      PathOf(std::string(kThumbnailTemporaryPrefix) + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(temporaryCounter++));
  UniqueHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return false;
  const bool written = WriteWhole(file.get(), bytes.data(), bytes.size());
  file.reset();
  // A reparse point of that name is replaced, never written through.
  if (written && MoveFileExW(temporary.c_str(), PathOf(name).c_str(), MOVEFILE_REPLACE_EXISTING)) {
    return true;
  }
  DeleteFileW(temporary.c_str());
  return false;
}

void Win32ThumbnailStore::RemoveUnused(const std::unordered_set<std::string>& used) {
  ForEachEntry(folder_, [&](std::wstring_view wide, DWORD attributes) {
    const std::string name = Utf8FromWide(wide);
    const bool stale =
        (IsThumbnailFileName(name) || IsNoThumbnailRecordName(name)) && !used.contains(name);
    if (!stale && !name.starts_with(kThumbnailTemporaryPrefix)) return;
    const std::wstring path = PathOf(name);
    // A real folder of that name stays; a link goes, not what it leads to.
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      DeleteFileW(path.c_str());
    } else if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      RemoveDirectoryW(path.c_str());
    }
  });
}

std::optional<ThumbnailSource> ThumbnailSourceOfFile(std::string_view picturePath, int side) {
  UniqueHandle file(CreateFileW(LongPathOf(picturePath).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  FILE_BASIC_INFO basic{};
  if (!file || !GetFileInformationByHandle(file.get(), &info) ||
      !GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof basic) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  // An index is unique within its volume only.
  const std::uint64_t index = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
  return ThumbnailSource{
      .hostPath = picturePath,
      .size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow,
      .modifiedNanoseconds = Nanoseconds(Ticks(info.ftLastWriteTime)),
      .side = side,
      .fileId = index ^ (std::uint64_t{info.dwVolumeSerialNumber} << 32),
      .changedNanoseconds = Nanoseconds(basic.ChangeTime.QuadPart),
  };
}

}  // namespace zb
