#include "platform/posix/descriptor_bytes.h"

#include <unistd.h>

#include <cerrno>
#include <limits>

namespace zb {

std::size_t DescriptorBytes::Read(std::uint64_t offset, std::span<unsigned char> buffer) {
  if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return 0;
  for (;;) {
    const ssize_t n = pread(fd_, buffer.data(), buffer.size(), static_cast<off_t>(offset));
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) return 0;
  }
}

}  // namespace zb
