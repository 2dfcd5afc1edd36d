#include "platform/posix/thumbnail_worker.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/posix/jpeg_encoder.h"
#include "platform/posix/picture_decoding.h"

namespace zb {
namespace {

constexpr std::uint64_t kMaxFileBytes = std::uint64_t{512} * 1024 * 1024;
constexpr std::uint32_t kMaxPathBytes = 64 * 1024;
constexpr int kQuality = 85;

std::optional<std::vector<std::uint8_t>> ReadPictureFile(const std::string& hostPath) {
  const int fd = open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  std::optional<std::vector<std::uint8_t>> bytes;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) > 0 &&
      static_cast<std::uint64_t>(st.st_size) <= kMaxFileBytes) {
    bytes.emplace(static_cast<std::size_t>(st.st_size));
    // A file that shrank meanwhile reads short: a cut picture, refused below.
    if (!ReadFully(fd, bytes->data(), bytes->size())) bytes.reset();
  }
  close(fd);
  return bytes;
}

}  // namespace

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

std::vector<std::uint8_t> MakeThumbnailBytes(const std::string& hostPath, int side) {
  const std::optional<std::vector<std::uint8_t>> file = ReadPictureFile(hostPath);
  if (!file) return {};
  const std::optional<PicturePixels> pixels = DecodeForThumbnail(*file, side);
  if (!pixels) return {};
  return EncodeJpeg(*pixels, kQuality);
}

int RunThumbnailWorker(int in, int out) {
  // A stop signal is for the run, which ends its helpers in order (they
  // leave when their socket closes).
  for (int stop : {SIGINT, SIGTERM, SIGHUP}) std::signal(stop, SIG_IGN);
  for (;;) {
    std::uint32_t side = 0;
    std::uint32_t length = 0;
    if (!ReadFully(in, &side, sizeof side) || !ReadFully(in, &length, sizeof length) ||
        length > kMaxPathBytes) {
      return 0;
    }
    std::string path(length, '\0');
    if (!ReadFully(in, path.data(), length)) return 0;
    const std::vector<std::uint8_t> jpeg = MakeThumbnailBytes(path, static_cast<int>(side));
    const auto size = static_cast<std::uint32_t>(jpeg.size());
    if (!WriteFully(out, &size, sizeof size) || !WriteFully(out, jpeg.data(), jpeg.size())) {
      return 0;
    }
  }
}

}  // namespace zb
