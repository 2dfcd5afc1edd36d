#include "decoding/png_chunks.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace zb {
namespace {

std::uint32_t BigEndian(const std::uint8_t* at) {
  return std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 |
         at[3];
}

// A profile larger than this is not a colour profile anyone embeds in a
// picture; inflating it is refused rather than letting it take memory.
constexpr uLongf kMaxProfileBytes = 4 * 1024 * 1024;

// iCCP: a name of 1-79 bytes, a zero, the compression method (0) and the
// zlib stream.
std::vector<std::uint8_t> InflatedProfile(const std::uint8_t* data, std::uint32_t length) {
  const auto* end = static_cast<const std::uint8_t*>(std::memchr(data, 0, std::min(length, 80u)));
  if (end == nullptr || end + 2 > data + length || end[1] != 0) return {};
  std::vector<std::uint8_t> profile(kMaxProfileBytes);
  uLongf size = kMaxProfileBytes;
  const auto* stream = end + 2;
  if (uncompress(profile.data(), &size, stream, static_cast<uLong>(data + length - stream)) !=
      Z_OK) {
    return {};
  }
  profile.resize(size);
  profile.shrink_to_fit();
  return profile;
}

}  // namespace

PngChunks ReadPngChunks(std::span<const std::uint8_t> bytes) {
  constexpr int kMaxChunks = 100000;
  PngChunks png;
  std::size_t at = 8;
  for (int n = 0; n < kMaxChunks; ++n) {
    if (bytes.size() < at || bytes.size() - at < 12) return png;
    const std::uint32_t length = BigEndian(&bytes[at]);
    if (length > bytes.size() - at - 12) return png;
    const std::uint8_t* type = &bytes[at + 4];
    const std::uint8_t* data = type + 4;
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), type, length + 4);
    if (crc != BigEndian(data + length)) return png;
    const auto is = [&](const char* name) { return std::memcmp(type, name, 4) == 0; };
    if (n == 0) {
      if (!is("IHDR") || length < 13) return png;
      png.width = BigEndian(data);
      png.height = BigEndian(data + 4);
      png.bitDepth = data[8];
      png.colourType = data[9];
      png.transparency = png.colourType == 4 || png.colourType == 6;
    } else if (is("tRNS")) {
      png.transparency = true;
    } else if (is("iCCP")) {
      png.profile = InflatedProfile(data, length);
    } else if (is("IEND")) {
      png.intact = true;
      return png;
    }
    at += std::size_t{length} + 12;
  }
  return png;
}

}  // namespace zb
