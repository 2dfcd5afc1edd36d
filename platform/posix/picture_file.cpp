#include "platform/posix/picture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/long_path.h"
#include "platform/posix/whole_transfers.h"

namespace zb {

std::optional<std::vector<std::uint8_t>> ReadPictureFile(const std::string& hostPath,
                                                         std::uint64_t maxBytes) {
  const int fd = OpenHostPath(hostPath, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  std::optional<std::vector<std::uint8_t>> bytes;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) > 0 &&
      static_cast<std::uint64_t>(st.st_size) <= maxBytes) {
    bytes.emplace(static_cast<std::size_t>(st.st_size));
    // A file that shrank meanwhile reads short: a cut picture, refused.
    if (!ReadFully(fd, bytes->data(), bytes->size())) bytes.reset();
  }
  close(fd);
  return bytes;
}

}  // namespace zb
