#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>

namespace zb {

// Whole reads and writes on pipes, sockets and files; false at the end or on
// an error. SendFully is for sockets and raises no SIGPIPE.
bool ReadFully(int fd, void* data, std::size_t size);
bool WriteFully(int fd, const void* data, std::size_t size);
bool SendFully(int fd, const void* data, std::size_t size);
// ReadFully unless the deadline passes first: a writer that stops half-way
// through holds no one.
bool ReadFullyBefore(int fd, void* data, std::size_t size,
                     std::chrono::steady_clock::time_point deadline);
// Reads from offset until size bytes are in or the file ends; -1 with errno
// set on failure. pread refuses pipes and folders, so nothing waits on them.
ssize_t ReadFully(int fd, std::byte* into, std::size_t size, off_t offset);

}  // namespace zb
