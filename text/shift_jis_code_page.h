#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_encoding.h"

namespace zb {

// Code page 932 one character at a time: the host's converter is asked about
// each character once, both ways, and the answer remembered.
class ShiftJisCodePage : public TextEncoding {
 public:
  ShiftJisCodePage() : known_(0x10000) {}

  bool RoundTrips(char32_t c) override;
  // Appends the character's bytes, or "?" when the code page has none. A
  // character mapped one way only is written as the character its code reads
  // back as, unless that is ASCII: "¥" must not turn into a "\".
  void Append(char32_t c, std::string& out);

 protected:
  // One byte (below 0x100), or a lead and a trail byte.
  using Code = std::uint16_t;
  static constexpr Code kNone = 0xFFFE;

  // The host's code of c (not ASCII, not a surrogate, in the BMP); kNone when
  // it has none.
  virtual Code Encode(char32_t c) = 0;
  // Whether the host reads code back as c.
  virtual bool DecodesTo(Code code, char32_t c) = 0;

 private:
  static constexpr Code kNotAsked = 0xFFFF;

  struct Known {
    Code code = kNotAsked;
    bool roundTrips = false;
  };

  const Known& Look(char32_t c);

  std::vector<Known> known_;  // by code point; the code page is all in the BMP
};

// Appends utf8 as a text file holds it: in Shift_JIS, "?" for what it cannot
// hold, no line end.
void AppendShiftJis(std::string_view utf8, ShiftJisCodePage& encoding, std::string& out);

}  // namespace zb
