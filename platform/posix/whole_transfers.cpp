#include "platform/posix/whole_transfers.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

namespace zb {
namespace {

// Calls move(at, done), which returns what it moved, until all is moved or
// it moves nothing; what was moved, or -1 on an error.
template <typename Move>
ssize_t Moved(char* at, std::size_t size, Move move) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = move(at + done, done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

template <typename Move>
bool Fully(char* at, std::size_t size, Move move) {
  return Moved(at, size, move) == static_cast<ssize_t>(size);
}

}  // namespace

bool ReadFully(int fd, void* data, std::size_t size) {
  return Fully(static_cast<char*>(data), size,
               [fd, size](char* at, std::size_t done) { return read(fd, at, size - done); });
}

bool ReadFullyBefore(int fd, void* data, std::size_t size,
                     std::chrono::steady_clock::time_point deadline) {
  return Fully(static_cast<char*>(data), size, [&](char* at, std::size_t done) -> ssize_t {
    using namespace std::chrono;
    const long long left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
    if (left < 0) return errno = ETIMEDOUT, -1;
    pollfd p{fd, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(std::min<long long>(left, INT_MAX)));
    if (ready < 0) return -1;
    if (ready == 0) return errno = ETIMEDOUT, -1;
    return read(fd, at, size - done);
  });
}

bool WriteFully(int fd, const void* data, std::size_t size) {
  return Fully(static_cast<char*>(const_cast<void*>(data)), size,
               [fd, size](char* at, std::size_t done) { return write(fd, at, size - done); });
}

bool SendFully(int fd, const void* data, std::size_t size) {
  // MSG_NOSIGNAL: a peer that died must not take this process down by SIGPIPE.
  return Fully(
      static_cast<char*>(const_cast<void*>(data)), size,
      [fd, size](char* at, std::size_t done) { return send(fd, at, size - done, MSG_NOSIGNAL); });
}

ssize_t ReadFully(int fd, std::byte* into, std::size_t size, off_t offset) {
  return Moved(reinterpret_cast<char*>(into), size, [fd, size, offset](char* at, std::size_t done) {
    return pread(fd, at, size - done, offset + static_cast<off_t>(done));
  });
}

}  // namespace zb
