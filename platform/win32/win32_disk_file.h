#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "picture/picture_bytes.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace zb {

// Opens a file of a disk for reading at offsets; none when the path names
// anything else (a folder, a pipe, a device), so a pipe named like a picture
// is refused at once instead of stalling the run.
UniqueHandle OpenDiskFileForReading(const std::string& path);

// Reads up to buffer.size() bytes at offset, fewer only where the file
// ends; empty when a read fails.
std::optional<std::size_t> ReadAtOffset(HANDLE file, std::uint64_t offset,
                                        std::span<std::byte> buffer);

// The bytes of an open disk file.
class HandleBytes : public PictureBytes {
 public:
  explicit HandleBytes(HANDLE file) : file_(file) {}
  std::size_t Read(std::uint64_t offset, std::span<unsigned char> buffer) override {
    return ReadAtOffset(file_, offset, std::as_writable_bytes(buffer)).value_or(0);
  }

 private:
  HANDLE file_;
};

}  // namespace zb
