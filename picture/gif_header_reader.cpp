#include <cstring>

#include "picture/classic_format_header.h"
#include "picture/padded_reader.h"

namespace zb {

std::optional<PixelSize> ReadGifSize(std::span<const unsigned char> head) {
  if (head.size() < 6 ||
      (std::memcmp(head.data(), "GIF87a", 6) != 0 && std::memcmp(head.data(), "GIF89a", 6) != 0)) {
    return std::nullopt;
  }
  PaddedReader in(head);
  in.Skip(6);
  const unsigned width = in.Le16();
  const unsigned height = in.Le16();
  if (width == 0 || height == 0) return std::nullopt;
  return PixelSize{width, height};
}

}  // namespace zb
