#pragma once

#include <cstdint>
#include <span>

#include "picture/picture_bytes.h"

namespace zb {

// The bytes of an open file. A pipe has no offsets and so gives nothing.
class DescriptorBytes : public PictureBytes {
 public:
  explicit DescriptorBytes(int fd) : fd_(fd) {}
  std::size_t Read(std::uint64_t offset, std::span<unsigned char> buffer) override;

 private:
  int fd_;
};

}  // namespace zb
