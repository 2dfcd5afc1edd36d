#include "platform/posix/picture_measurer.h"

#include <fcntl.h>
#include <stb_image.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/posix/jpeg_header_reader.h"

namespace zb {
namespace {

bool StartsWith(const unsigned char* data, std::size_t length, std::string_view signature) {
  return length >= signature.size() && std::memcmp(data, signature.data(), signature.size()) == 0;
}

// Only formats with a signature go to stb_image: its TGA reader has none
// and would size plain garbage.
bool IsStbFormat(const unsigned char* data, std::size_t length) {
  return StartsWith(data, length, "BM") || StartsWith(data, length, "GIF87a") ||
         StartsWith(data, length, "GIF89a") || StartsWith(data, length, "\x89PNG\r\n\x1a\n");
}

// One read: a regular file gives all it has up to the buffer's size, and a
// pipe, opened non-blocking, what is there or nothing.
std::size_t ReadOnce(int fd, unsigned char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = read(fd, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) return 0;
  }
}

std::optional<PixelSize> NonEmpty(std::optional<PixelSize> size) {
  if (size && (size->width == 0 || size->height == 0)) return std::nullopt;
  return size;
}

}  // namespace

std::optional<PixelSize> PictureMeasurer::Measure(const std::string& path) {
  // Non-blocking, so that a pipe named like a picture cannot stall the run.
  const int fd = paths_.Attempt(path, [](const std::string& host) {
    return open(host.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  });
  if (fd < 0) return std::nullopt;
  const std::optional<PixelSize> size = MeasureHead(fd, ReadOnce(fd, head_.data(), head_.size()));
  close(fd);
  return NonEmpty(size);
}

std::optional<PixelSize> PictureMeasurer::Measure(const std::string& path,
                                                  std::span<const std::byte> head) {
  const std::size_t filled = std::min(head.size(), head_.size());
  std::memcpy(head_.data(), head.data(), filled);
  // Without a descriptor a JPEG that needs more than the head fails as at
  // the end of a file; only a file longer than its head is then opened.
  const std::optional<PixelSize> size = MeasureHead(-1, filled);
  if (size || filled < head_.size()) return NonEmpty(size);
  return Measure(path);
}

std::optional<PixelSize> PictureMeasurer::MeasureHead(int fd, std::size_t filled) {
  if (StartsWith(head_.data(), filled, "\xFF\xD8")) {
    return ReadJpegSize(fd, head_.data(), head_.size(), filled);
  }
  // The header fields of these formats lie well inside the first block.
  int width = 0;
  int height = 0;
  int components = 0;
  if (!IsStbFormat(head_.data(), filled) ||
      !stbi_info_from_memory(head_.data(), static_cast<int>(filled), &width, &height,
                             &components) ||
      width <= 0 || height <= 0) {
    return std::nullopt;
  }
  return PixelSize{static_cast<unsigned>(width), static_cast<unsigned>(height)};
}

}  // namespace zb
