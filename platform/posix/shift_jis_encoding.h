#pragma once

#include <iconv.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/text_encoding.h"

namespace zb {

// Code page 932 through glibc's iconv, one character at a time, each
// character asked of iconv once, both ways, and remembered.
class ShiftJisEncoding : public TextEncoding {
 public:
  // Throws FileError when the host has no CP932 converter.
  ShiftJisEncoding();
  ~ShiftJisEncoding() override;
  ShiftJisEncoding(const ShiftJisEncoding&) = delete;
  ShiftJisEncoding& operator=(const ShiftJisEncoding&) = delete;

  bool RoundTrips(char32_t c) override;
  // Appends the character's bytes, or "?" when the code page has none. A
  // character mapped one way only is written as the character its code reads
  // back as, unless that is ASCII: "¥" must not turn into a "\".
  void Append(char32_t c, std::string& out);

 private:
  // One byte (below 0x100), a lead and a trail byte, or one of the markers.
  using Code = std::uint16_t;
  static constexpr Code kNotAsked = 0xFFFF;
  static constexpr Code kNone = 0xFFFE;

  struct Known {
    Code code = kNotAsked;
    bool roundTrips = false;
  };

  const Known& Look(char32_t c);
  Code Encode(char32_t c);
  bool DecodesTo(Code code, char32_t c);

  iconv_t encoder_;
  iconv_t decoder_;
  std::vector<Known> known_;  // by code point; the code page is all in the BMP
};

}  // namespace zb
