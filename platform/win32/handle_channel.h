#pragma once

#include <cstddef>

#include "platform/win32/whole_handle_transfers.h"
#include "platform/win32/windows_api.h"
#include "thumbnail/helper_protocol.h"

namespace zb {

// One end of a helper's connection over its pipes: what this end reads
// comes on `in`, what it writes goes to `out`.
class HandleChannel : public MessageChannel {
 public:
  HandleChannel(HANDLE in, HANDLE out) : in_(in), out_(out) {}
  bool Read(void* data, std::size_t size) override { return ReadWhole(in_, data, size); }
  bool Write(const void* data, std::size_t size) override { return WriteWhole(out_, data, size); }

 private:
  HANDLE in_;
  HANDLE out_;
};

}  // namespace zb
