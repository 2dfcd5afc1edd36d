#include "text/shift_jis_code_page.h"

#include <optional>

#include "text/utf8.h"

namespace zb {

bool ShiftJisCodePage::RoundTrips(char32_t c) { return c < 0x80 || Look(c).roundTrips; }

void ShiftJisCodePage::Append(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
    return;
  }
  const Known& known = Look(c);
  if (known.code == kNone || (!known.roundTrips && known.code < 0x80)) {
    out += '?';
  } else if (known.code < 0x100) {
    out += static_cast<char>(known.code);
  } else {
    out += static_cast<char>(known.code >> 8);
    out += static_cast<char>(known.code & 0xFF);
  }
}

const ShiftJisCodePage::Known& ShiftJisCodePage::Look(char32_t c) {
  static const Known kOutside{kNone, false};
  if (c >= known_.size() || (c >= 0xD800 && c <= 0xDFFF)) return kOutside;
  Known& known = known_[c];
  if (known.code == kNotAsked) {
    known.code = Encode(c);
    known.roundTrips = known.code != kNone && DecodesTo(known.code, c);
  }
  return known;
}

void AppendShiftJis(std::string_view utf8, ShiftJisCodePage& encoding, std::string& out) {
  while (!utf8.empty()) {
    std::size_t ascii = 0;
    while (ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80) ++ascii;
    out.append(utf8.data(), ascii);
    utf8.remove_prefix(ascii);
    if (utf8.empty()) break;
    if (const std::optional<char32_t> code = TakeCodePoint(utf8)) {
      encoding.Append(*code, out);
    } else {
      out += '?';
    }
  }
}

}  // namespace zb
