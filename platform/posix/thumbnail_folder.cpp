#include "platform/posix/thumbnail_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/posix/whole_transfers.h"
#include "thumbnail/thumbnail_names.h"

namespace zb {
namespace {

std::atomic<unsigned long> temporaryCounter{0};

// Calls each entry's name; false when the folder cannot be listed.
template <typename Each>
bool ForEachName(int fd, Each each) {
  const int copy = openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (copy < 0) return false;
  DIR* dir = fdopendir(copy);
  if (dir == nullptr) {
    close(copy);
    return false;
  }
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") each(name);
  }
  closedir(dir);
  return true;
}

// Group read is kept only where the thumbnail's group is the picture's: a
// thumbnail's group is ours (or the folder's), not the picture's.
bool ReadableNoMoreThan(int fd, ThumbnailFolder::Readers readers) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return false;
  const bool groupMayRead = (readers.mode & S_IROTH) != 0 || st.st_gid == readers.group;
  return groupMayRead || (st.st_mode & S_IRGRP) == 0 ||
         fchmod(fd, st.st_mode & 07777 & ~S_IRGRP) == 0;
}

bool IsEmpty(int fd) {
  bool empty = true;
  return ForEachName(fd, [&](std::string_view) { empty = false; }) && empty;
}

bool HasMark(int fd) {
  struct stat st {};
  return fstatat(fd, kThumbnailOwnerMark, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode);
}

bool PutMark(int fd) {
  const int mark =
      openat(fd, kThumbnailOwnerMark, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (mark < 0) return false;
  const std::string text = std::string(kThumbnailOwnerMarkLine) + "\n";
  const bool written = WriteFully(mark, text.data(), text.size());
  return close(mark) == 0 && written;
}

}  // namespace

std::unique_ptr<ThumbnailFolder> ThumbnailFolder::Open(const std::string& outputHostFolder) {
  const int output = open(outputHostFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (output < 0) return nullptr;
  struct stat st {};
  if (fstat(output, &st) != 0 ||
      (mkdirat(output, kThumbnailFolder, st.st_mode & 0777) != 0 && errno != EEXIST)) {
    close(output);
    return nullptr;
  }
  // A link, a file or anything but a folder fails here.
  const int fd = openat(output, kThumbnailFolder, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  close(output);
  if (fd < 0) return nullptr;
  if (HasMark(fd) || (IsEmpty(fd) && PutMark(fd))) {
    return std::unique_ptr<ThumbnailFolder>(new ThumbnailFolder(fd));
  }
  close(fd);
  return nullptr;
}

ThumbnailFolder::~ThumbnailFolder() { close(fd_); }

bool ThumbnailFolder::Has(const std::string& name) const {
  struct stat st {};
  return fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
         st.st_size > 0;
}

bool ThumbnailFolder::Write(const std::string& name, std::span<const std::uint8_t> bytes,
                            Readers readers) {
  const std::string temporary = std::string(kThumbnailTemporaryPrefix) + std::to_string(getpid()) +
                                "-" + std::to_string(temporaryCounter++);
  // The umask takes away more, never less.
  const mode_t mode = S_IRUSR | S_IWUSR | (readers.mode & (S_IRGRP | S_IROTH));
  const int fd =
      openat(fd_, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
  if (fd < 0) return false;
  const bool written =
      ReadableNoMoreThan(fd, readers) && WriteFully(fd, bytes.data(), bytes.size());
  const bool closed = close(fd) == 0;
  if (written && closed && renameat(fd_, temporary.c_str(), fd_, name.c_str()) == 0) return true;
  unlinkat(fd_, temporary.c_str(), 0);
  return false;
}

void ThumbnailFolder::RemoveUnused(const std::unordered_set<std::string>& used) {
  ForEachName(fd_, [&](std::string_view name) {
    const bool stale = (IsThumbnailFileName(name) || IsNoThumbnailRecordName(name)) &&
                       !used.contains(std::string(name));
    if (stale || name.starts_with(kThumbnailTemporaryPrefix)) {
      // Without AT_REMOVEDIR a folder of that name stays; a link goes, not
      // what it points to.
      unlinkat(fd_, std::string(name).c_str(), 0);
    }
  });
}

}  // namespace zb
