#include "text/shift_jis_code_page.h"

#include <optional>

#include "text/utf8.h"

namespace zb {
namespace {

// Where the hosts' converters differ, one answer for both, so that both
// systems write the same bytes and see the same names: the codes glibc
// gives one way only (Windows, asked for no best fit, gives none), and the
// single bytes Windows alone reads back, which browsers do not.
struct OneWay {
  char32_t c;
  std::uint16_t code;
};
constexpr OneWay kOneWay[] = {{0x00A2, 0x8191}, {0x00A3, 0x8192}, {0x00A5, 0x5C},
                              {0x00AC, 0x81CA}, {0x2014, 0x815C}, {0x2016, 0x8161},
                              {0x203E, 0x7E},   {0x2212, 0x817C}, {0x301C, 0x8160}};
constexpr char32_t kNoCode[] = {0x0080, 0xF8F0, 0xF8F1, 0xF8F2, 0xF8F3};

}  // namespace

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
  if (known.code != kNotAsked) return known;
  for (const OneWay& settled : kOneWay) {
    if (settled.c == c) return known = {settled.code, false};
  }
  for (const char32_t none : kNoCode) {
    if (none == c) return known = {kNone, false};
  }
  known.code = Encode(c);
  known.roundTrips = known.code != kNone && DecodesTo(known.code, c);
  return known;
}

void AppendShiftJis(std::string_view utf8, ShiftJisCodePage& encoding, std::string& out) {
  while (!utf8.empty()) {
    const std::size_t ascii = AsciiPrefixLength(utf8);
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
