#include <cstdint>
#include <cstring>

#include "picture/classic_format_header.h"
#include "picture/padded_reader.h"

namespace zb {
namespace {

constexpr std::uint32_t Type(const char (&name)[5]) {
  return std::uint32_t{static_cast<unsigned char>(name[0])} << 24 |
         std::uint32_t{static_cast<unsigned char>(name[1])} << 16 |
         std::uint32_t{static_cast<unsigned char>(name[2])} << 8 |
         std::uint32_t{static_cast<unsigned char>(name[3])};
}

constexpr std::uint32_t kLargestSide = 1u << 24;
constexpr std::uint32_t kLargestPalette = 256 * 3;
// A chunk whose type has this bit clear is critical: one not understood fails.
constexpr std::uint32_t kAncillary = 1u << 29;

struct Header {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  bool paletted = false;
};

// The IHDR chunk's contents as stb_image checks them.
bool ReadHeader(PaddedReader& in, Header& header) {
  header.width = in.Be32();
  header.height = in.Be32();
  if (header.height > kLargestSide || header.width > kLargestSide) return false;
  const unsigned depth = in.Byte();
  if (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16) return false;
  const unsigned colour = in.Byte();
  if (colour > 6 || (colour == 3 && depth == 16)) return false;
  header.paletted = colour == 3;
  if (!header.paletted && (colour & 1)) return false;
  if (in.Byte() != 0 || in.Byte() != 0 || in.Byte() > 1) return false;  // methods, interlace
  if (header.width == 0 || header.height == 0) return false;
  const std::uint32_t channels = header.paletted ? 4 : (colour & 2 ? 3 : 1) + (colour & 4 ? 1 : 0);
  return (1u << 30) / header.width / channels >= header.height;
}

}  // namespace

// Walks the chunks as stb_image's header scan does: a paletted picture is
// only sized at its palette's transparency, its first data or its end, so
// chunks running past the bytes given fail it.
std::optional<PixelSize> ReadPngSize(std::span<const unsigned char> head) {
  static constexpr unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (head.size() < sizeof kSignature ||
      std::memcmp(head.data(), kSignature, sizeof kSignature) != 0) {
    return std::nullopt;
  }
  PaddedReader in(head);
  in.Skip(sizeof kSignature);
  Header header;
  bool first = true;
  std::uint32_t paletteEntries = 0;
  for (;;) {
    const std::uint32_t length = in.Be32();
    const std::uint32_t type = in.Be32();
    const PixelSize size{header.width, header.height};
    if (type == Type("CgBI")) {
      in.Skip(length);
    } else if (first && type != Type("IHDR")) {
      return std::nullopt;
    } else if (type == Type("IHDR")) {
      if (!first || length != 13 || !ReadHeader(in, header)) return std::nullopt;
      first = false;
      if (!header.paletted) return PixelSize{header.width, header.height};
    } else if (type == Type("PLTE")) {
      if (length > kLargestPalette || length % 3 != 0) return std::nullopt;
      paletteEntries = length / 3;
      in.Skip(length);
    } else if (type == Type("tRNS") || type == Type("IEND")) {
      return size;
    } else if (type == Type("IDAT")) {
      if (paletteEntries == 0) return std::nullopt;
      return size;
    } else if (type & kAncillary) {
      in.Skip(length);
    } else {
      return std::nullopt;
    }
    in.Skip(4);  // CRC
  }
}

}  // namespace zb
