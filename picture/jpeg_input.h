#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "picture/picture_bytes.h"

namespace zb {

// A JPEG's bytes, taken in order within a fixed cost: the buffer is refilled
// whole, each refill spends its bytes from a budget, and each segment passed
// over spends one from a count. Running out of either, like the file's end,
// fails the read. A segment passed over beyond the buffer is not read.
class JpegInput {
 public:
  JpegInput(PictureBytes& bytes, std::span<const unsigned char> first,
            std::span<unsigned char> buffer);

  bool Byte(unsigned& value) {
    if (left_ == 0 && !Fill()) return false;
    --left_;
    value = *next_++;
    return true;
  }
  // Big-endian, as every JPEG number is.
  bool Word(unsigned& value);
  // Reads count bytes; *kept points at them when they lie in one buffer
  // load, else they are copied to `copy`, which must hold count bytes.
  bool Read(std::size_t count, unsigned char* copy, const unsigned char** kept);
  // Reads and drops count bytes.
  bool Drop(std::size_t count) { return Read(count, nullptr, nullptr); }
  // Passes over a segment's remaining count bytes; nothing when count <= 0.
  bool Pass(long count);

 private:
  bool Fill();

  PictureBytes& bytes_;
  std::span<unsigned char> buffer_;
  const unsigned char* next_;
  std::size_t left_;
  std::uint64_t fileOffset_;  // of the byte after the buffer's
  std::size_t budget_;
  int passesLeft_;
};

}  // namespace zb
