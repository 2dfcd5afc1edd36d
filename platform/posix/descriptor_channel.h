#pragma once

#include <cstddef>

#include "platform/posix/whole_transfers.h"
#include "thumbnail/helper_protocol.h"

namespace zb {

// A helper's end of its connection: requests come on `in`, answers go to `out`.
class DescriptorChannel : public MessageChannel {
 public:
  DescriptorChannel(int in, int out) : in_(in), out_(out) {}
  bool Read(void* data, std::size_t size) override { return ReadFully(in_, data, size); }
  bool Write(const void* data, std::size_t size) override { return WriteFully(out_, data, size); }

 private:
  int in_;
  int out_;
};

}  // namespace zb
