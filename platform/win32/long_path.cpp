#include "platform/win32/long_path.h"

#include <cctype>

#include "platform/win32/wide_text.h"

namespace zb {

std::wstring LongPathOf(std::string_view path) {
  const std::wstring wide = WideFromUtf8(path);
  if (wide.starts_with(L"\\\\?\\")) return wide;
  if (wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\' && wide[0] < 0x80 &&
      std::isalpha(static_cast<unsigned char>(wide[0]))) {
    return L"\\\\?\\" + wide;
  }
  if (wide.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + wide.substr(2);
  return wide;
}

}  // namespace zb
