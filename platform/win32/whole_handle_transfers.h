#pragma once

#include <windows.h>

#include <cstddef>

namespace zb {

// The whole of `size` bytes through a file or pipe handle, however the
// system cuts the transfer; false at the end of the data or on an error.
bool ReadWhole(HANDLE handle, void* data, std::size_t size);
bool WriteWhole(HANDLE handle, const void* data, std::size_t size);

}  // namespace zb
