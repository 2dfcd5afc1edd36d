#pragma once

#include <cstddef>

namespace zb {

// Whole reads and writes on pipes, sockets and files; false at the end or on
// an error. SendFully is for sockets and raises no SIGPIPE.
bool ReadFully(int fd, void* data, std::size_t size);
bool WriteFully(int fd, const void* data, std::size_t size);
bool SendFully(int fd, const void* data, std::size_t size);

}  // namespace zb
