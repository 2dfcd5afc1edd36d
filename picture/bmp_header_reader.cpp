#include <climits>
#include <cstdint>

#include "picture/classic_format_header.h"
#include "picture/padded_reader.h"

namespace zb {
namespace {

constexpr int kRle8 = 1, kRle4 = 2, kBitfields = 3, kFirstUnsupported = 4;

bool KnownHeaderSize(int size) {
  return size == 12 || size == 40 || size == 56 || size == 108 || size == 124;
}

// stb_image's checks on the info header after the sides, in its order of
// reading; a V4 or V5 header fails none past the compression.
bool Supported(PaddedReader& in, int headerSize) {
  if (in.Le16() != 1) return false;  // planes
  const std::uint32_t bits = in.Le16();
  if (headerSize == 12) return true;
  const auto compression = static_cast<int>(in.Le32());
  if (compression == kRle8 || compression == kRle4 || compression >= kFirstUnsupported) {
    return false;
  }
  const bool wide = bits == 16 || bits == 32;
  if (compression == kBitfields && !wide) return false;
  if (headerSize != 40 && headerSize != 56) return true;
  in.Skip(20 + (headerSize == 56 ? 16 : 0));
  if (!wide || compression == 0) return true;
  if (compression != kBitfields) return false;
  const std::uint32_t red = in.Le32(), green = in.Le32(), blue = in.Le32();
  return !(red == green && green == blue);
}

}  // namespace

std::optional<PixelSize> ReadBmpSize(std::span<const unsigned char> head) {
  if (head.size() < 2 || head[0] != 'B' || head[1] != 'M') return std::nullopt;
  PaddedReader in(head);
  in.Skip(10);  // signature, file size, reserved
  const auto offset = static_cast<int>(in.Le32());
  const auto headerSize = static_cast<int>(in.Le32());
  if (offset < 0 || !KnownHeaderSize(headerSize)) return std::nullopt;
  const bool old = headerSize == 12;
  const auto width = static_cast<int>(old ? in.Le16() : in.Le32());
  int height = static_cast<int>(old ? in.Le16() : in.Le32());
  if (!Supported(in, headerSize)) return std::nullopt;
  // Stored top row first, the height is negative.
  if (height < 0 && height != INT_MIN) height = -height;
  if (width <= 0 || height <= 0) return std::nullopt;
  return PixelSize{static_cast<unsigned>(width), static_cast<unsigned>(height)};
}

}  // namespace zb
