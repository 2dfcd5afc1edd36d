#include "platform/posix/exif_orientation.h"

#include <cstdint>
#include <cstring>

namespace zb {
namespace {

constexpr std::size_t kHeader = 6;  // "Exif\0\0"
constexpr unsigned kOrientationTag = 0x0112;
constexpr unsigned kMaxEntries = 512;

class TiffReader {
 public:
  TiffReader(const unsigned char* data, std::size_t length, bool bigEndian)
      : data_(data), length_(length), big_(bigEndian) {}
  bool Has(std::size_t at, std::size_t n) const { return at <= length_ && n <= length_ - at; }
  unsigned U16(std::size_t at) const {
    return big_ ? (data_[at] << 8 | data_[at + 1]) : (data_[at + 1] << 8 | data_[at]);
  }
  std::uint32_t U32(std::size_t at) const {
    return big_ ? (std::uint32_t{U16(at)} << 16 | U16(at + 2))
                : (std::uint32_t{U16(at + 2)} << 16 | U16(at));
  }

 private:
  const unsigned char* data_;
  std::size_t length_;
  bool big_;
};

}  // namespace

int ExifOrientation(const unsigned char* payload, std::size_t length) {
  if (length < kHeader + 8 || std::memcmp(payload, "Exif\0\0", kHeader) != 0) return 1;
  const unsigned char* tiff = payload + kHeader;
  const std::size_t size = length - kHeader;
  const bool big = tiff[0] == 'M' && tiff[1] == 'M';
  if (!big && !(tiff[0] == 'I' && tiff[1] == 'I')) return 1;
  const TiffReader r(tiff, size, big);
  const std::size_t ifd = r.U32(4);
  if (!r.Has(ifd, 2)) return 1;
  const unsigned count = r.U16(ifd);
  for (unsigned i = 0; i < count && i < kMaxEntries; ++i) {
    const std::size_t entry = ifd + 2 + std::size_t{12} * i;
    if (!r.Has(entry, 12)) return 1;
    if (r.U16(entry) != kOrientationTag) continue;
    const unsigned value = r.U16(entry + 8);
    return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
  }
  return 1;
}

}  // namespace zb
