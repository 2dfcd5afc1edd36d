#include "platform/win32/win32_disk_file.h"

#include <algorithm>

#include "platform/win32/long_path.h"

namespace zb {

UniqueHandle OpenDiskFileForReading(const std::string& path) {
  UniqueHandle file(CreateFileW(LongPathOf(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file && GetFileType(file.get()) != FILE_TYPE_DISK) {
    file.reset();
    SetLastError(ERROR_INVALID_FUNCTION);
  }
  return file;
}

std::optional<std::size_t> ReadAtOffset(HANDLE file, std::uint64_t offset,
                                        std::span<std::byte> buffer) {
  std::size_t done = 0;
  while (done < buffer.size()) {
    OVERLAPPED at{};
    const std::uint64_t from = offset + done;
    at.Offset = static_cast<DWORD>(from);
    at.OffsetHigh = static_cast<DWORD>(from >> 32);
    const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(buffer.size() - done, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(file, buffer.data() + done, ask, &got, &at)) {
      if (GetLastError() == ERROR_HANDLE_EOF) break;
      return std::nullopt;
    }
    if (got == 0) break;
    done += got;
  }
  return done;
}

}  // namespace zb
