#include "platform/posix/whole_transfers.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace zb {
namespace {

// Calls move(at, left), which returns what it moved, until all is moved.
template <typename Move>
bool Fully(char* at, std::size_t size, Move move) {
  while (size > 0) {
    const ssize_t n = move(at, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    at += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

bool ReadFully(int fd, void* data, std::size_t size) {
  return Fully(static_cast<char*>(data), size,
               [fd](char* at, std::size_t left) { return read(fd, at, left); });
}

bool WriteFully(int fd, const void* data, std::size_t size) {
  return Fully(static_cast<char*>(const_cast<void*>(data)), size,
               [fd](char* at, std::size_t left) { return write(fd, at, left); });
}

bool SendFully(int fd, const void* data, std::size_t size) {
  // MSG_NOSIGNAL: a peer that died must not take this process down by SIGPIPE.
  return Fully(static_cast<char*>(const_cast<void*>(data)), size,
               [fd](char* at, std::size_t left) { return send(fd, at, left, MSG_NOSIGNAL); });
}

}  // namespace zb
