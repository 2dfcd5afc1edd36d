#include "platform/posix/shift_jis_encoding.h"

#include "platform/file_system.h"

namespace zb {
namespace {

bool Opened(iconv_t converter) {
  return converter != reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)
}

constexpr std::size_t kFailed = static_cast<std::size_t>(-1);

// One conversion of a whole input, from the converter's initial state.
std::size_t Convert(iconv_t converter, const void* in, std::size_t inSize, void* out,
                    std::size_t outSize) {
  char* inPointer = static_cast<char*>(const_cast<void*>(in));
  char* outPointer = static_cast<char*>(out);
  std::size_t outLeft = outSize;
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  if (iconv(converter, &inPointer, &inSize, &outPointer, &outLeft) == kFailed || inSize != 0) {
    return kFailed;
  }
  return outSize - outLeft;
}

}  // namespace

ShiftJisEncoding::ShiftJisEncoding()
    : encoder_(iconv_open("CP932", "WCHAR_T")), decoder_(iconv_open("WCHAR_T", "CP932")) {
  if (!Opened(encoder_) || !Opened(decoder_)) {
    if (Opened(encoder_)) iconv_close(encoder_);
    if (Opened(decoder_)) iconv_close(decoder_);
    throw FileError("No Shift_JIS (CP932) converter on this system");
  }
}

ShiftJisEncoding::~ShiftJisEncoding() {
  iconv_close(encoder_);
  iconv_close(decoder_);
}

ShiftJisEncoding::Code ShiftJisEncoding::Encode(char32_t c) {
  const wchar_t in = static_cast<wchar_t>(c);
  unsigned char out[4];
  switch (Convert(encoder_, &in, sizeof in, out, sizeof out)) {
    case 1:
      return out[0];
    case 2:
      return static_cast<Code>(out[0] << 8 | out[1]);
    default:
      return kNone;
  }
}

bool ShiftJisEncoding::DecodesTo(Code code, char32_t c) {
  const unsigned char in[2] = {static_cast<unsigned char>(code >> 8),
                               static_cast<unsigned char>(code & 0xFF)};
  const bool single = code < 0x100;
  wchar_t out[2];
  return Convert(decoder_, single ? in + 1 : in, single ? 1 : 2, out, sizeof out) ==
             sizeof(wchar_t) &&
         static_cast<char32_t>(out[0]) == c;
}

}  // namespace zb
