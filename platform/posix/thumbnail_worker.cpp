#include "platform/posix/thumbnail_worker.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "platform/posix/jpeg_encoder.h"
#include "platform/posix/long_path.h"
#include "platform/posix/picture_decoding.h"
#include "platform/posix/thumbnail_helper_limits.h"
#include "platform/posix/whole_transfers.h"

namespace zb {
namespace {

constexpr std::uint64_t kMaxFileBytes = std::uint64_t{512} * 1024 * 1024;
constexpr std::uint32_t kMaxPathBytes = 64 * 1024;
constexpr int kQuality = 85;

std::optional<std::vector<std::uint8_t>> ReadPictureFile(const std::string& hostPath) {
  const int fd = OpenHostPath(hostPath, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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
    GrantProcessorSeconds(kHelperProcessorSecondsPerPicture);
    const std::vector<std::uint8_t> jpeg = MakeThumbnailBytes(path, static_cast<int>(side));
    const auto size = static_cast<std::uint32_t>(jpeg.size());
    if (!WriteFully(out, &size, sizeof size) || !WriteFully(out, jpeg.data(), jpeg.size())) {
      return 0;
    }
  }
}

}  // namespace zb
