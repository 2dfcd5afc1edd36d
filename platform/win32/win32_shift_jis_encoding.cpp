#include "platform/win32/win32_shift_jis_encoding.h"

#include "platform/win32/windows_api.h"

namespace zb {
namespace {

constexpr UINT kShiftJis = 932;

}  // namespace

Win32ShiftJisEncoding::Code Win32ShiftJisEncoding::Encode(char32_t c) {
  const wchar_t in = static_cast<wchar_t>(c);
  char out[4];
  BOOL usedDefault = FALSE;
  const int size = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, &in, 1, out, sizeof out,
                                       nullptr, &usedDefault);
  if (usedDefault) return kNone;
  switch (size) {
    case 1:
      return static_cast<unsigned char>(out[0]);
    case 2:
      return static_cast<Code>(static_cast<unsigned char>(out[0]) << 8 |
                               static_cast<unsigned char>(out[1]));
    default:
      return kNone;
  }
}

bool Win32ShiftJisEncoding::DecodesTo(Code code, char32_t c) {
  const char in[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  const bool single = code < 0x100;
  wchar_t out[2];
  return MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, single ? in + 1 : in, single ? 1 : 2,
                             out, 2) == 1 &&
         static_cast<char32_t>(out[0]) == c;
}

}  // namespace zb
