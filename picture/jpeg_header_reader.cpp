#include "picture/jpeg_header_reader.h"

#include <algorithm>
#include <array>
#include <utility>

#include "picture/exif_orientation.h"
#include "picture/jpeg_input.h"

namespace zb {
namespace {

// What libjpeg-turbo 2.1's jpeg_read_header accepts, read the same way byte
// for byte, so that a file measures as it always has: the markers up to the
// first scan, each with libjpeg's checks, then its checks on the frame.

constexpr unsigned kSof0 = 0xC0, kSof1 = 0xC1, kSof2 = 0xC2, kSof9 = 0xC9, kSof10 = 0xCA;
constexpr unsigned kDht = 0xC4, kDac = 0xCC, kRst0 = 0xD0, kRst7 = 0xD7, kSos = 0xDA;
constexpr unsigned kDqt = 0xDB, kDnl = 0xDC, kDri = 0xDD, kApp0 = 0xE0, kApp1 = 0xE1;
constexpr unsigned kApp14 = 0xEE, kApp15 = 0xEF, kCom = 0xFE, kTem = 0x01;

// libjpeg keeps this much of each APP1; the first IFD, where Orientation
// lies, follows the TIFF header at once.
constexpr unsigned kExifBytesKept = 8 * 1024;
// libjpeg reads this much of APP0 and APP14 to look for JFIF and Adobe.
constexpr long kAppHeadBytes = 14;
constexpr long kLongestSide = 65500;
constexpr int kMostComponents = 10;
constexpr int kMostScanComponents = 4;
constexpr int kMostSampling = 4;

struct Frame {
  bool seen = false;
  unsigned precision = 0;
  unsigned height = 0;
  unsigned width = 0;
  int components = 0;
  // Only the first components matter: a scan looks among the first four,
  // and more than kMostComponents fail before their sampling is checked.
  std::array<unsigned, kMostComponents> ids{};
  std::array<unsigned, kMostComponents> sampling{};
};

class MarkerReader {
 public:
  explicit MarkerReader(JpegInput& in) : in_(in) {}

  // From just after FF D8 up to the end of the first scan's header.
  bool ReadToFirstScan() {
    for (;;) {
      unsigned marker = 0;
      if (!NextMarker(marker)) return false;
      if (marker == kSos) return ReadScanHeader() && FrameIsDecodable();
      if (!ReadSegment(marker)) return false;
    }
  }

  PixelSize Shown() const {
    PixelSize size{frame_.width, frame_.height};
    if (TurnsAQuarter(orientation_)) std::swap(size.width, size.height);
    return size;
  }

 private:
  // Skips bytes up to an FF, FF fill bytes, and FF 00 pairs.
  bool NextMarker(unsigned& marker) {
    for (;;) {
      unsigned c = 0;
      do {
        if (!in_.Byte(c)) return false;
      } while (c != 0xFF);
      do {
        if (!in_.Byte(c)) return false;
      } while (c == 0xFF);
      if (c != 0) {
        marker = c;
        return true;
      }
    }
  }

  // A segment's length word less its own two bytes: negative for a bogus
  // word, which libjpeg takes as no data.
  bool ReadLength(long& length) {
    unsigned word = 0;
    if (!in_.Word(word)) return false;
    length = static_cast<long>(word) - 2;
    return true;
  }

  bool ReadSegment(unsigned marker) {
    switch (marker) {
      case kSof0:
      case kSof1:
      case kSof2:
      case kSof9:
      case kSof10:
        return ReadFrame();
      case kDht:
        return ReadHuffmanTables();
      case kDac:
        return ReadArithmeticTables();
      case kDqt:
        return ReadQuantTables();
      case kDri:
        return ReadRestartInterval();
      case kApp0:
      case kApp14:
        return LookAtAppHead();
      case kApp1:
        return KeepExif();
      case kDnl:
      case kCom:
        return PassSegment();
      case kTem:
        return true;
      default:
        if (marker >= kRst0 && marker <= kRst7) return true;
        if (marker > kApp1 && marker <= kApp15) return PassSegment();
        // A second SOI, EOI before a scan, the other frame types, reserved
        // markers: libjpeg stops with an error on each.
        return false;
    }
  }

  bool ReadFrame() {
    unsigned length = 0, components = 0;
    if (!in_.Word(length) || !in_.Byte(frame_.precision) || !in_.Word(frame_.height) ||
        !in_.Word(frame_.width) || !in_.Byte(components)) {
      return false;
    }
    if (frame_.seen || frame_.height == 0 || frame_.width == 0 || components == 0) return false;
    if (length != 8 + 3 * components) return false;
    frame_.components = static_cast<int>(components);
    for (unsigned i = 0; i < components; ++i) {
      unsigned id = 0, sampling = 0, table = 0;
      if (!in_.Byte(id) || !in_.Byte(sampling) || !in_.Byte(table)) return false;
      if (i < frame_.ids.size()) {
        frame_.ids[i] = id;
        frame_.sampling[i] = sampling;
      }
    }
    frame_.seen = true;
    return true;
  }

  bool ReadScanHeader() {
    if (!frame_.seen) return false;
    unsigned length = 0, n = 0;
    if (!in_.Word(length) || !in_.Byte(n)) return false;
    if (length != n * 2 + 6 || n < 1 || n > kMostScanComponents) return false;
    // libjpeg's lookup: among the frame's first four components, the first
    // with the id whose index is not yet a filled place in the scan's list,
    // so components listed out of the frame's order are not found; then no
    // component twice.
    std::array<int, kMostScanComponents> chosen{-1, -1, -1, -1};
    for (unsigned i = 0; i < n; ++i) {
      unsigned id = 0, tables = 0;
      if (!in_.Byte(id) || !in_.Byte(tables)) return false;
      const int searched = std::min(frame_.components, kMostScanComponents);
      int found = -1;
      for (int ci = 0; ci < searched && found < 0; ++ci) {
        if (frame_.ids[ci] == id && chosen[ci] < 0) found = ci;
      }
      if (found < 0 || std::find(chosen.begin(), chosen.begin() + i, found) != chosen.begin() + i) {
        return false;
      }
      chosen[i] = found;
    }
    return in_.Drop(3);  // spectral selection and approximation
  }

  bool FrameIsDecodable() const {
    if (frame_.height > kLongestSide || frame_.width > kLongestSide) return false;
    if (frame_.precision != 8 || frame_.components > kMostComponents) return false;
    for (int ci = 0; ci < frame_.components; ++ci) {
      const unsigned h = frame_.sampling[ci] >> 4, v = frame_.sampling[ci] & 15;
      if (h < 1 || h > kMostSampling || v < 1 || v > kMostSampling) return false;
    }
    return true;
  }

  bool ReadHuffmanTables() {
    long length = 0;
    if (!ReadLength(length)) return false;
    while (length > 16) {
      unsigned index = 0, count = 0;
      if (!in_.Byte(index)) return false;
      for (int i = 0; i < 16; ++i) {
        unsigned bits = 0;
        if (!in_.Byte(bits)) return false;
        count += bits;
      }
      length -= 17;
      if (count > 256 || static_cast<long>(count) > length || !in_.Drop(count)) return false;
      length -= count;
      if ((index & ~0x10u) >= 4) return false;  // AC tables carry 0x10
    }
    return length == 0;
  }

  bool ReadArithmeticTables() {
    long length = 0;
    if (!ReadLength(length)) return false;
    while (length > 0) {
      unsigned index = 0, value = 0;
      if (!in_.Byte(index) || !in_.Byte(value)) return false;
      length -= 2;
      if (index >= 32) return false;
      // A DC table's lower bound may not pass its upper.
      if (index < 16 && (value & 15) > (value >> 4)) return false;
    }
    return length == 0;
  }

  bool ReadQuantTables() {
    long length = 0;
    if (!ReadLength(length)) return false;
    while (length > 0) {
      unsigned n = 0;
      if (!in_.Byte(n)) return false;
      if ((n & 15) >= 4) return false;
      const bool wide = (n >> 4) != 0;
      if (!in_.Drop(wide ? 128 : 64)) return false;
      length -= wide ? 129 : 65;
    }
    return length == 0;
  }

  bool ReadRestartInterval() {
    unsigned length = 0, interval = 0;
    return in_.Word(length) && length == 4 && in_.Word(interval);
  }

  // APP0 and APP14: libjpeg reads their heads for JFIF and Adobe.
  bool LookAtAppHead() {
    long length = 0;
    if (!ReadLength(length)) return false;
    const long head = std::clamp(length, 0L, kAppHeadBytes);
    if (!in_.Drop(static_cast<std::size_t>(head))) return false;
    return in_.Pass(length - head);
  }

  // APP1 is kept, its first kExifBytesKept bytes read, for the orientation.
  bool KeepExif() {
    long length = 0;
    if (!ReadLength(length)) return false;
    if (length < 0) return true;
    const std::size_t kept = std::min<std::size_t>(length, kExifBytesKept);
    if (orientation_ != 1) {
      if (!in_.Drop(kept)) return false;
    } else {
      const unsigned char* data = nullptr;
      if (!in_.Read(kept, copy_.data(), &data)) return false;
      orientation_ = ExifOrientation({data, kept});
    }
    return in_.Pass(length - static_cast<long>(kept));
  }

  bool PassSegment() {
    unsigned length = 0;
    return in_.Word(length) && in_.Pass(static_cast<long>(length) - 2);
  }

  JpegInput& in_;
  Frame frame_;
  int orientation_ = 1;
  std::array<unsigned char, kExifBytesKept> copy_;
};

}  // namespace

std::optional<PixelSize> ReadJpegSize(PictureBytes& bytes, std::span<const unsigned char> first,
                                      std::span<unsigned char> buffer) {
  JpegInput in(bytes, first, buffer);
  unsigned c1 = 0, c2 = 0;
  if (!in.Byte(c1) || !in.Byte(c2) || c1 != 0xFF || c2 != 0xD8) return std::nullopt;
  MarkerReader reader(in);
  if (!reader.ReadToFirstScan()) return std::nullopt;
  return reader.Shown();
}

}  // namespace zb
