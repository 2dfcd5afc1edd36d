#include "picture/exif_orientation.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace zb {
namespace {

constexpr unsigned char kExifPrefix[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;
constexpr std::size_t kEntrySize = 12;

// Reads TIFF numbers in the header's byte order; every read is checked
// against the segment's end.
class TiffReader {
 public:
  explicit TiffReader(std::span<const unsigned char> tiff) : tiff_(tiff) {}

  bool ReadByteOrder() {
    if (tiff_.size() < 2) return false;
    if (tiff_[0] == 'I' && tiff_[1] == 'I') {
      bigEndian_ = false;
    } else if (tiff_[0] == 'M' && tiff_[1] == 'M') {
      bigEndian_ = true;
    } else {
      return false;
    }
    return true;
  }

  bool Fits(std::uint64_t at, std::uint64_t length) const {
    return at <= tiff_.size() && length <= tiff_.size() - at;
  }

  std::uint32_t Number(std::size_t at, int bytes) const {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
      const unsigned char b = tiff_[at + (bigEndian_ ? i : bytes - 1 - i)];
      value = value << 8 | b;
    }
    return value;
  }

 private:
  std::span<const unsigned char> tiff_;
  bool bigEndian_ = false;
};

}  // namespace

int ExifOrientation(std::span<const unsigned char> segment) {
  if (segment.size() < sizeof kExifPrefix ||
      std::memcmp(segment.data(), kExifPrefix, sizeof kExifPrefix) != 0) {
    return 1;
  }
  TiffReader tiff(segment.subspan(sizeof kExifPrefix));
  if (!tiff.ReadByteOrder() || !tiff.Fits(2, 6) || tiff.Number(2, 2) != 42) return 1;
  const std::uint32_t ifd = tiff.Number(4, 4);
  if (!tiff.Fits(ifd, 2)) return 1;
  const std::uint32_t entries = tiff.Number(ifd, 2);
  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::uint64_t at = ifd + 2 + std::uint64_t{i} * kEntrySize;
    if (!tiff.Fits(at, kEntrySize)) return 1;
    const auto entry = static_cast<std::size_t>(at);
    if (tiff.Number(entry, 2) != kOrientationTag) continue;
    if (tiff.Number(entry + 2, 2) != kShortType || tiff.Number(entry + 4, 4) != 1) return 1;
    const std::uint32_t value = tiff.Number(entry + 8, 2);
    return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
  }
  return 1;
}

}  // namespace zb
