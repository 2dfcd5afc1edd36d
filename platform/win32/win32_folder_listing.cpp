#include "platform/win32/win32_folder_listing.h"

#include <string_view>

#include "platform/win32/long_path.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_output_file.h"

namespace zb {
namespace {

constexpr std::uint32_t kReported = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrDirectory;
constexpr std::uint32_t kMasked = kAttrHidden | kAttrSystem | kAttrDirectory;

// Opens a folder, following a link or junction to it.
UniqueHandle OpenFolder(const std::wstring& path) {
  return UniqueHandle(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

}  // namespace

std::unique_ptr<Win32FolderListing> Win32FolderListing::Open(const std::string& folder,
                                                             std::uint32_t mask) {
  std::wstring path = LongPathOf(folder);
  if (!path.ends_with(L'\\')) path += L'\\';
  const UniqueHandle handle = OpenFolder(path);
  BY_HANDLE_FILE_INFORMATION info;
  if (!handle || !GetFileInformationByHandle(handle.get(), &info) ||
      !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return nullptr;
  }
  // A folder reached twice, through a junction say, has one id.
  const FolderId id{info.dwVolumeSerialNumber,
                    (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
  std::unique_ptr<Win32FolderListing> listing(new Win32FolderListing(path, mask, id));
  listing->find_ = FindFirstFileExW((path + L'*').c_str(), FindExInfoBasic, &listing->found_,
                                    FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (listing->find_ == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_NOT_FOUND) {
    return nullptr;
  }
  listing->pending_ = listing->find_ != INVALID_HANDLE_VALUE;
  return listing;
}

Win32FolderListing::~Win32FolderListing() {
  if (find_ != INVALID_HANDLE_VALUE) FindClose(find_);
}

bool Win32FolderListing::Next(FolderEntry& entry) {
  if (dotsGiven_ < 2) {
    entry.name = dotsGiven_++ == 0 ? "." : "..";
    entry.attributes = kAttrDirectory;
    return true;
  }
  for (; pending_; pending_ = FindNextFileW(find_, &found_) != 0) {
    const std::wstring_view name = found_.cFileName;
    if (name == L"." || name == L".." || IsReplacementName(name)) continue;
    const std::optional<std::uint32_t> attributes = AttributesOfFound();
    if (attributes.value_or(found_.dwFileAttributes) & kMasked & ~mask_) continue;
    entry.name = Utf8FromWide(name);
    entry.attributes = attributes;
    pending_ = FindNextFileW(find_, &found_) != 0;
    return true;
  }
  return false;
}

std::optional<std::uint32_t> Win32FolderListing::AttributesOfFound() const {
  const std::uint32_t own = found_.dwFileAttributes & kReported;
  if (!(found_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return own;
  // A link or junction lists as what it leads to, as a link does on POSIX;
  // its own hidden, system and read-only bits stay. One that leads nowhere
  // has no attributes, like a dangling link.
  const UniqueHandle target = OpenFolder(folder_ + found_.cFileName);
  BY_HANDLE_FILE_INFORMATION info;
  if (!target || !GetFileInformationByHandle(target.get(), &info)) return std::nullopt;
  return (own & ~std::uint32_t{kAttrDirectory}) |
         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? kAttrDirectory : 0u);
}

}  // namespace zb
