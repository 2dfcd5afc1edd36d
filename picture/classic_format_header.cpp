#include "picture/classic_format_header.h"

namespace zb {

std::optional<PixelSize> ReadClassicFormatSize(std::span<const unsigned char> head) {
  // The signatures differ in their first byte: at most one reader answers.
  if (auto size = ReadPngSize(head)) return size;
  if (auto size = ReadGifSize(head)) return size;
  return ReadBmpSize(head);
}

}  // namespace zb
