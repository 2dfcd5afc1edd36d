#pragma once

#include <cstdint>
#include <span>

namespace zb {

// Reads a header from bytes in memory as stb_image does: every byte past
// the end reads as zero, so a cut header shows zeros rather than failing.
class PaddedReader {
 public:
  explicit PaddedReader(std::span<const unsigned char> data) : data_(data) {}

  unsigned Byte() { return at_ < data_.size() ? data_[at_++] : (at_++, 0u); }
  // Each byte read in its own statement: operands of | are unordered.
  std::uint32_t Be16() {
    const std::uint32_t high = Byte();
    return high << 8 | Byte();
  }
  std::uint32_t Be32() {
    const std::uint32_t high = Be16();
    return high << 16 | Be16();
  }
  std::uint32_t Le16() {
    const std::uint32_t low = Byte();
    return low | Byte() << 8;
  }
  std::uint32_t Le32() {
    const std::uint32_t low = Le16();
    return low | Le16() << 16;
  }
  // A count that does not fit an int, as stb_image takes it, goes to the end.
  void Skip(std::uint32_t count) { at_ = count > 0x7FFFFFFF ? data_.size() : at_ + count; }

 private:
  std::span<const unsigned char> data_;
  std::uint64_t at_ = 0;
};

}  // namespace zb
