#include "platform/posix/shift_jis_encoding.h"

#include "platform/file_system.h"

namespace zb {

ShiftJisEncoding::ShiftJisEncoding()
    : converter_(iconv_open("CP932", "WCHAR_T")), codes_(0x10000, kNotAsked) {
  if (converter_ == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr)
    throw FileError("No Shift_JIS (CP932) converter on this system");
  }
}

ShiftJisEncoding::~ShiftJisEncoding() { iconv_close(converter_); }

bool ShiftJisEncoding::CanEncode(char32_t c) { return CodeOf(c) != kNone; }

void ShiftJisEncoding::Append(char32_t c, std::string& out) {
  const Code code = CodeOf(c);
  if (code == kNone) {
    out += '?';
  } else if (code < 0x100) {
    out += static_cast<char>(code);
  } else {
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
  }
}

ShiftJisEncoding::Code ShiftJisEncoding::CodeOf(char32_t c) {
  if (c < 0x80) return static_cast<Code>(c);
  if (c >= codes_.size() || (c >= 0xD800 && c <= 0xDFFF)) return kNone;
  Code& code = codes_[c];
  if (code == kNotAsked) code = Convert(c);
  return code;
}

ShiftJisEncoding::Code ShiftJisEncoding::Convert(char32_t c) {
  wchar_t in = static_cast<wchar_t>(c);
  char out[4];
  char* inPointer = reinterpret_cast<char*>(&in);
  char* outPointer = out;
  std::size_t inLeft = sizeof in;
  std::size_t outLeft = sizeof out;
  iconv(converter_, nullptr, nullptr, nullptr, nullptr);
  if (iconv(converter_, &inPointer, &inLeft, &outPointer, &outLeft) ==
      static_cast<std::size_t>(-1)) {
    return kNone;
  }
  const auto byte = [&out](int i) { return static_cast<unsigned char>(out[i]); };
  switch (outPointer - out) {
    case 1:
      return byte(0);
    case 2:
      return static_cast<Code>(byte(0) << 8 | byte(1));
    default:
      return kNone;
  }
}

}  // namespace zb
