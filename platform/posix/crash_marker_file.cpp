#include "platform/posix/crash_marker_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace zb {
namespace {

// Room for a long path escaped over several lines; a longer one remaps.
constexpr std::size_t kLeastCapacity = 16 * 1024;

// A regular file only: a link or a FIFO planted in its place is refused.
int OpenRegular(const std::string& path, int flags) {
  const int fd = open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  struct stat status;
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    return -1;
  }
  return fd;
}

int LockNow(int fd, int operation) {
  int result;
  do {
    result = flock(fd, operation | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  return result;
}

}  // namespace

CrashMarkerFile::~CrashMarkerFile() { Release(); }

CrashMarkerFile::Ownership CrashMarkerFile::Own() {
  if (Owned()) return Ownership::kOwned;
  const int fd = OpenRegular(path_, O_RDWR | O_CREAT);
  if (fd < 0) return Ownership::kUnavailable;
  if (LockNow(fd, LOCK_EX) != 0) {
    const bool held = errno == EWOULDBLOCK;
    close(fd);
    return held ? Ownership::kOwnedElsewhere : Ownership::kUnavailable;
  }
  fd_ = fd;
  return Ownership::kOwned;
}

bool CrashMarkerFile::MapAtLeast(std::size_t size) {
  if (map_ != nullptr && size <= capacity_) return true;
  Unmap();
  const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  const std::size_t capacity = (std::max(size, kLeastCapacity) + page - 1) / page * page;
  // Exactly this size, so that no old text lies beyond the mapping; blocks
  // allocated now: a full disk fails here, not as SIGBUS at a copy.
  if (ftruncate(fd_, static_cast<off_t>(capacity)) != 0 ||
      posix_fallocate(fd_, 0, static_cast<off_t>(capacity)) != 0) {
    return false;
  }
  void* map = mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
  if (map == MAP_FAILED) return false;
  map_ = static_cast<char*>(map);
  capacity_ = capacity;
  dirty_ = capacity;  // an old text, or zeros from the allocation
  return true;
}

bool CrashMarkerFile::Write(std::string_view text) {
  if (!Owned() || text.empty() || !MapAtLeast(text.size())) return false;
  std::atomic_ref<char>(map_[0]).store('\0', std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_release);
  std::memcpy(map_ + 1, text.data() + 1, text.size() - 1);
  if (dirty_ > text.size()) std::memset(map_ + text.size(), '\n', dirty_ - text.size());
  std::atomic_thread_fence(std::memory_order_release);
  std::atomic_ref<char>(map_[0]).store(text[0], std::memory_order_relaxed);
  length_ = text.size();
  dirty_ = length_;
  return true;
}

void CrashMarkerFile::Unmap() {
  if (map_ != nullptr) munmap(map_, capacity_);
  map_ = nullptr;
  capacity_ = 0;
}

void CrashMarkerFile::Release() {
  if (!Owned()) return;
  if (map_ != nullptr) {
    Unmap();
    // The padding goes while the lock still keeps readers off.
    [[maybe_unused]] const int trimmed = ftruncate(fd_, static_cast<off_t>(length_));
  }
  close(fd_);  // drops the lock
  fd_ = -1;
}

bool CrashMarkerFile::UnlessOwned(const std::string& path, const std::function<void()>& read) {
  const int fd = OpenRegular(path, O_RDONLY);
  if (fd < 0) {
    // No file, no owner; an unreadable one reads as nothing anyway.
    read();
    return true;
  }
  const bool free = LockNow(fd, LOCK_SH) == 0;
  if (free) read();
  close(fd);
  return free;
}

}  // namespace zb
