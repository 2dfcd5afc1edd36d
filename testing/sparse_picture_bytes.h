#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <span>
#include <string>

#include "picture/picture_bytes.h"

namespace zb {

// For tests: a file of `size` bytes, zeros but for the pieces put in it, that counts
// what a reader asks of it.
class SparsePictureBytes : public PictureBytes {
 public:
  explicit SparsePictureBytes(std::uint64_t size) : size_(size) {}
  explicit SparsePictureBytes(const std::string& contents) : size_(contents.size()) {
    Put(0, contents);
  }
  void Put(std::uint64_t offset, const std::string& piece) { pieces_[offset] = piece; }

  std::size_t Read(std::uint64_t offset, std::span<unsigned char> buffer) override {
    ++reads;
    if (offset >= size_) return 0;
    const std::size_t n =
        static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), size_ - offset));
    std::fill_n(buffer.data(), n, 0);
    for (const auto& [at, piece] : pieces_) {
      if (at >= offset + n || at + piece.size() <= offset) continue;
      const std::uint64_t from = std::max(at, offset);
      const std::uint64_t to = std::min(at + piece.size(), offset + n);
      std::memcpy(buffer.data() + (from - offset), piece.data() + (from - at), to - from);
    }
    total += n;
    return n;
  }
  int reads = 0;
  std::uint64_t total = 0;

 private:
  std::uint64_t size_;
  std::map<std::uint64_t, std::string> pieces_;
};

}  // namespace zb
