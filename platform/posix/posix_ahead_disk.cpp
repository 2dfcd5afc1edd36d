#include "platform/posix/posix_ahead_disk.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <optional>
#include <utility>

#include "platform/posix/posix_folder_listing.h"
#include "platform/posix/unique_fd.h"
#include "platform/posix/whole_transfers.h"

namespace zb {
namespace {

void AppendHostName(std::string& path, const std::string& host, std::string_view name) {
  path.assign(host);
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
}

// No page is smaller: a head up to this size lies in one page of the cache.
constexpr std::size_t kSmallestPage = 4096;

// Up to size bytes from the start of the file; kNoHead when it cannot be
// read. First asked of the page cache alone, so that waited tells whether
// any of them had to come from the disk (or whether that cannot be told).
// One read settles a head: a read from the disk that comes back short at
// offset 0 has met the end of the file, and so has a cached one within a
// single page, which the cache holds whole or not at all.
std::size_t ReadFront(int at, const char* name, std::byte* into, std::size_t size, bool& waited) {
  const int fd = openat(at, name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return kNoHead;
  iovec cached{into, size};
  ssize_t done = preadv2(fd, &cached, 1, 0, RWF_NOWAIT);
  if (done < 0) {
    waited = true;
    do {
      done = pread(fd, into, size, 0);
    } while (done < 0 && errno == EINTR);
  } else if (static_cast<std::size_t>(done) < size && size > kSmallestPage) {
    // Past one page the cache may hold the first pages only.
    const ssize_t rest = ReadFully(fd, into + done, size - done, done);
    waited = waited || rest != 0;
    done = rest < 0 ? rest : done + rest;
  }
  close(fd);
  return done < 0 ? kNoHead : static_cast<std::size_t>(done);
}

// The folder's time stamp as opened, unless the coarse clock that stamps it
// has not moved on since: a change within the same tick would keep the
// stamp. Read before the entries, so a change after them moves the stamp.
std::optional<FolderStamp> ModifiedBefore(const timespec& stamp) {
  timespec now;
  if (clock_gettime(CLOCK_REALTIME_COARSE, &now) != 0) return std::nullopt;
  const bool earlier =
      stamp.tv_sec < now.tv_sec || (stamp.tv_sec == now.tv_sec && stamp.tv_nsec < now.tv_nsec);
  if (!earlier) return std::nullopt;
  return FolderStamp{stamp.tv_sec, stamp.tv_nsec};
}

class PosixAheadFolder final : public AheadFolder {
 public:
  explicit PosixAheadFolder(std::unique_ptr<PosixFolderListing> listing)
      : listing_(std::move(listing)) {}
  bool Next(FolderEntry& entry) override { return listing_->Next(entry); }
  FolderId Id() const override { return listing_->Id(); }
  bool LastIsPlainFile() const override { return listing_->LastIsPlainFile(); }
  std::optional<FolderStamp> Stamp() const override { return ModifiedBefore(listing_->Modified()); }

 private:
  std::unique_ptr<PosixFolderListing> listing_;
};

}  // namespace

std::unique_ptr<AheadFolder> PosixAheadDisk::List(const std::string& host, std::uint32_t mask) {
  const int fd = open(host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  std::unique_ptr<PosixFolderListing> listing =
      fd < 0 ? nullptr : PosixFolderListing::Open(fd, mask);
  if (!listing) return nullptr;
  return std::make_unique<PosixAheadFolder>(std::move(listing));
}

std::string PosixAheadDisk::ChildOf(const std::string& host, std::string_view name) const {
  std::string path;
  AppendHostName(path, host, name);
  return path;
}

// One call per folder keeps a folder that changed after it was read ahead
// (the run's own pages, say, or another program) from being served stale.
bool PosixAheadDisk::Unchanged(const std::string& host, const FolderId& id,
                               const FolderStamp& stamp) {
  struct stat now;
  return stat(host.c_str(), &now) == 0 && now.st_dev == id.device && now.st_ino == id.inode &&
         now.st_mtim.tv_sec == stamp.seconds && now.st_mtim.tv_nsec == stamp.nanoseconds;
}

bool PosixAheadDisk::ReadHeads(const std::string& host, std::span<AheadItem> items,
                               std::size_t heads, std::byte* into, std::size_t stride,
                               std::string& path) {
  bool waited = false;
  // The folder looked up once serves all its heads; a lone head goes by its
  // full path.
  const UniqueFd folder(heads > 1 ? open(host.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC) : -1);
  for (AheadItem& item : items) {
    if (item.wanted == 0) continue;
    const std::size_t wanted = std::min(item.wanted, stride);
    if (folder.valid()) {
      item.headSize = ReadFront(folder.get(), item.entry.name.c_str(), into, wanted, waited);
    } else {
      AppendHostName(path, host, item.entry.name);
      item.headSize = ReadFront(AT_FDCWD, path.c_str(), into, wanted, waited);
    }
    into += stride;
  }
  return waited;
}

void PosixAheadDisk::NameThread(const char* name) { pthread_setname_np(pthread_self(), name); }

}  // namespace zb
