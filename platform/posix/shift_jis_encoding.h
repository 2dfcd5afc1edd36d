#pragma once

#include <iconv.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/text_encoding.h"

namespace zb {

// Code page 932 through glibc's iconv, one character at a time, each
// character asked of iconv once and remembered.
class ShiftJisEncoding : public TextEncoding {
 public:
  // Throws FileError when the host has no CP932 converter.
  ShiftJisEncoding();
  ~ShiftJisEncoding() override;
  ShiftJisEncoding(const ShiftJisEncoding&) = delete;
  ShiftJisEncoding& operator=(const ShiftJisEncoding&) = delete;

  bool CanEncode(char32_t c) override;
  // Appends the character's bytes, or "?" when the code page has none.
  void Append(char32_t c, std::string& out);

 private:
  // One byte (below 0x100), a lead and a trail byte, or one of the markers.
  using Code = std::uint16_t;
  static constexpr Code kNotAsked = 0xFFFF;
  static constexpr Code kNone = 0xFFFE;

  Code CodeOf(char32_t c);
  Code Convert(char32_t c);

  iconv_t converter_;
  std::vector<Code> codes_;  // by code point; the code page is all in the BMP
};

}  // namespace zb
