#pragma once

#include <cstddef>

#include "platform/win32/windows_api.h"

namespace zb {

// The whole of `size` bytes through a file or pipe handle, however the
// system cuts the transfer; false at the end of the data or on an error.
bool ReadWhole(HANDLE handle, void* data, std::size_t size);
bool WriteWhole(HANDLE handle, const void* data, std::size_t size);

}  // namespace zb
