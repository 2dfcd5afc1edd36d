#include "picture/picture_measurement.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "picture/classic_format_header.h"
#include "picture/jpeg_header_reader.h"
#include "picture/newer_format_header.h"

namespace zb {
namespace {

// The header fields of the formats other than JPEG lie well inside it.
constexpr std::size_t kHeadSize = std::size_t{16} * 1024;
// The pages fit a picture in floats, which hold every whole number up to
// 2^24 and not all beyond: a longer side is no size that can be placed.
constexpr unsigned kLongestSide = 1u << 24;

bool StartsWith(std::span<const unsigned char> data, std::string_view signature) {
  return data.size() >= signature.size() &&
         std::memcmp(data.data(), signature.data(), signature.size()) == 0;
}

bool IsJpeg(std::span<const unsigned char> data) { return StartsWith(data, "\xFF\xD8"); }

// The one place that tells the formats apart. first holds the file's first
// bytes, wherever they are kept; further bytes are read into buffer.
std::optional<PixelSize> MeasureFrom(PictureBytes& bytes, std::span<const unsigned char> first,
                                     std::span<unsigned char> buffer) {
  std::optional<PixelSize> size;
  if (IsJpeg(first)) {
    size = ReadJpegSize(bytes, first, buffer);
  } else if (auto newer = ReadNewerFormatSize(first.data(), first.size())) {
    size = newer;
  } else {
    size = ReadClassicFormatSize(first);
  }
  const auto placeable = [](unsigned side) { return side > 0 && side <= kLongestSide; };
  if (size && !(placeable(size->width) && placeable(size->height))) return std::nullopt;
  return size;
}

// The first bytes as read ahead, then the file itself, read only when a
// reader asks past them. A head shorter than kPictureHeadBytes is the whole
// file.
class HeadThenFile : public PictureBytes {
 public:
  HeadThenFile(std::span<const std::byte> head, PictureBytes& file) : head_(head), file_(file) {}

  std::span<const unsigned char> Head() const {
    return {reinterpret_cast<const unsigned char*>(head_.data()), head_.size()};
  }
  // The file may go on past the head.
  bool Cut() const { return head_.size() >= kPictureHeadBytes; }

  std::size_t Read(std::uint64_t offset, std::span<unsigned char> buffer) override {
    if (offset + buffer.size() <= head_.size() || !Cut()) {
      if (offset >= head_.size()) return 0;
      const std::size_t count = std::min<std::size_t>(buffer.size(), head_.size() - offset);
      std::memcpy(buffer.data(), head_.data() + offset, count);
      return count;
    }
    return file_.Read(offset, buffer);
  }

 private:
  std::span<const std::byte> head_;
  PictureBytes& file_;
};

}  // namespace

std::optional<PixelSize> MeasurePictureBytes(PictureBytes& bytes) {
  std::array<unsigned char, kHeadSize> buffer;
  return MeasureFrom(bytes, std::span(buffer).first(bytes.Read(0, buffer)), buffer);
}

std::optional<PixelSize> MeasurePictureHead(std::span<const std::byte> head, PictureBytes& file) {
  HeadThenFile bytes(head, file);
  // Measured where the head lies: the buffer only takes what follows it.
  std::array<unsigned char, kHeadSize> buffer;
  std::optional<PixelSize> size = MeasureFrom(bytes, bytes.Head(), buffer);
  // Only JPEG reads on past the bytes it is given; the other formats get as
  // many as when measured from the file.
  if (!size && bytes.Cut() && !IsJpeg(bytes.Head())) size = MeasurePictureBytes(bytes);
  return size;
}

}  // namespace zb
