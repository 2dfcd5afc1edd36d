#include "platform/win32/whole_handle_transfers.h"

#include <algorithm>

namespace zb {
namespace {

// ReadFile and WriteFile count in DWORD.
constexpr std::size_t kLargestTransfer = 1 << 30;

}  // namespace

bool ReadWhole(HANDLE handle, void* data, std::size_t size) {
  auto* at = static_cast<char*>(data);
  while (size > 0) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min(size, kLargestTransfer));
    if (!ReadFile(handle, at, want, &got, nullptr) || got == 0) return false;
    at += got;
    size -= got;
  }
  return true;
}

bool WriteWhole(HANDLE handle, const void* data, std::size_t size) {
  const auto* at = static_cast<const char*>(data);
  while (size > 0) {
    DWORD put = 0;
    const DWORD want = static_cast<DWORD>(std::min(size, kLargestTransfer));
    if (!WriteFile(handle, at, want, &put, nullptr) || put == 0) return false;
    at += put;
    size -= put;
  }
  return true;
}

}  // namespace zb
