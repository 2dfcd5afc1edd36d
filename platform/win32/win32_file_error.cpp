#include "platform/win32/win32_file_error.h"

#include "platform/file_system.h"
#include "platform/win32/wide_text.h"

namespace zb {

void ThrowFileError(const char* what, const std::string& path, DWORD error) {
  wchar_t text[512];
  DWORD size = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                              error, 0, text, static_cast<DWORD>(std::size(text)), nullptr);
  while (size > 0 && (text[size - 1] == L'\r' || text[size - 1] == L'\n')) --size;
  const std::string reason =
      size > 0 ? Utf8FromWide({text, size}) : "error " + std::to_string(error);
  throw FileError(std::string(what) + " " + path + ": " + reason);
}

}  // namespace zb
