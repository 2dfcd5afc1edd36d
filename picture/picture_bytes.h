#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zb {

// A picture file's bytes, read where a header reader asks for them: from
// the file itself or from bytes already in memory.
class PictureBytes {
 public:
  virtual ~PictureBytes() = default;
  // Copies up to buffer.size() bytes from offset: fewer at the end of the
  // file, none past it or when they cannot be read.
  virtual std::size_t Read(std::uint64_t offset, std::span<unsigned char> buffer) = 0;
};

}  // namespace zb
