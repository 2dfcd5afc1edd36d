#include "picture/jpeg_input.h"

#include <algorithm>

namespace zb {
namespace {

// Real headers, Exif thumbnails and colour profiles included, stay far
// below these; a file of zeros behind FF D8 or of endless segments does not.
constexpr std::size_t kByteBudget = std::size_t{4} << 20;
constexpr int kPassBudget = 1024;

}  // namespace

JpegInput::JpegInput(PictureBytes& bytes, std::span<const unsigned char> first,
                     std::span<unsigned char> buffer)
    : bytes_(bytes),
      buffer_(buffer),
      next_(first.data()),
      left_(first.size()),
      fileOffset_(first.size()),
      budget_(kByteBudget - std::min(first.size(), kByteBudget)),
      passesLeft_(kPassBudget) {}

bool JpegInput::Fill() {
  const std::size_t wanted = std::min(buffer_.size(), budget_);
  const std::size_t n = wanted == 0 ? 0 : bytes_.Read(fileOffset_, buffer_.first(wanted));
  if (n == 0) return false;
  fileOffset_ += n;
  budget_ -= n;
  next_ = buffer_.data();
  left_ = n;
  return true;
}

bool JpegInput::Word(unsigned& value) {
  unsigned high = 0;
  unsigned low = 0;
  if (!Byte(high) || !Byte(low)) return false;
  value = high << 8 | low;
  return true;
}

bool JpegInput::Read(std::size_t count, unsigned char* copy, const unsigned char** kept) {
  if (count <= left_ && kept != nullptr) {
    *kept = next_;
    next_ += count;
    left_ -= count;
    return true;
  }
  if (kept != nullptr) *kept = copy;
  while (count > 0) {
    if (left_ == 0 && !Fill()) return false;
    const std::size_t n = std::min(count, left_);
    if (copy != nullptr) copy = std::copy_n(next_, n, copy);
    next_ += n;
    left_ -= n;
    count -= n;
  }
  return true;
}

bool JpegInput::Pass(long count) {
  if (count <= 0) return true;
  if (--passesLeft_ < 0) return false;
  const auto wanted = static_cast<std::size_t>(count);
  if (wanted <= left_) {
    next_ += wanted;
    left_ -= wanted;
    return true;
  }
  fileOffset_ += wanted - left_;
  left_ = 0;
  return true;
}

}  // namespace zb
