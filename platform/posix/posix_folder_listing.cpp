#include "platform/posix/posix_folder_listing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace zb {

std::unique_ptr<PosixFolderListing> PosixFolderListing::Open(int fd, std::uint32_t mask) {
  struct stat folder;
  if (fstat(fd, &folder) != 0) {
    close(fd);
    return nullptr;
  }
  const FolderId id{static_cast<std::uint64_t>(folder.st_dev),
                    static_cast<std::uint64_t>(folder.st_ino)};
  return std::unique_ptr<PosixFolderListing>(new PosixFolderListing(fd, mask, id, folder.st_mtim));
}

PosixFolderListing::~PosixFolderListing() { close(fd_); }

const dirent64* PosixFolderListing::NextRaw() {
  if (at_ == filled_) {
    if (!buffer_) buffer_ = std::make_unique_for_overwrite<std::byte[]>(kBufferBytes);
    ssize_t read;
    do {
      read = getdents64(fd_, buffer_.get(), kBufferBytes);
    } while (read < 0 && errno == EINTR);
    if (read <= 0) return nullptr;
    filled_ = static_cast<std::size_t>(read);
    at_ = 0;
  }
  const auto* entry = reinterpret_cast<const dirent64*>(buffer_.get() + at_);
  at_ += entry->d_reclen;
  return entry;
}

bool PosixFolderListing::Next(FolderEntry& entry) {
  lastPlain_ = false;
  if (dotsGiven_ < 2) {
    entry.name = dotsGiven_++ == 0 ? "." : "..";
    entry.attributes = kAttrDirectory;
    return true;
  }
  while (const dirent64* found = NextRaw()) {
    const std::string_view name = found->d_name;
    if (name == "." || name == "..") continue;
    const bool hidden = name.front() == '.';
    if (hidden && !(mask_ & kAttrHidden)) continue;
    std::optional<std::uint32_t> attributes = AttributesOf(*found);
    if (attributes && (*attributes & kAttrDirectory) && !(mask_ & kAttrDirectory)) continue;
    if (attributes && hidden) *attributes |= kAttrHidden;
    entry.name = name;
    entry.attributes = attributes;
    return true;
  }
  return false;
}

std::optional<std::uint32_t> PosixFolderListing::AttributesOf(const dirent64& entry) {
  lastPlain_ = false;
  switch (entry.d_type) {
    case DT_DIR:
      return kAttrDirectory;
    case DT_LNK:
    case DT_UNKNOWN: {
      struct stat target;
      if (fstatat(fd_, entry.d_name, &target, 0) != 0) return std::nullopt;
      lastPlain_ = S_ISREG(target.st_mode);
      return S_ISDIR(target.st_mode) ? std::uint32_t{kAttrDirectory} : 0;
    }
    default:
      lastPlain_ = entry.d_type == DT_REG;
      return 0u;
  }
}

}  // namespace zb
