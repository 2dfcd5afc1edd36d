#include "platform/win32/win32_shift_jis_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace zb {
namespace {

std::string Encoded(ShiftJisCodePage& encoding, std::u32string_view text) {
  std::string out;
  for (const char32_t c : text) encoding.Append(c, out);
  return out;
}

TEST(Win32ShiftJisEncoding, WritesTheCodePagesBytesAndAQuestionMarkForTheRest) {
  Win32ShiftJisEncoding encoding;
  EXPECT_EQ(Encoded(encoding, U"★♪｡ｻ①画像あア"),
            "\x81\x9A\x81\xF4\xA1\xBB\x87\x40\x89\xE6\x91\x9C\x82\xA0\x83\x41");
  EXPECT_EQ(Encoded(encoding, U"a\\~ Z"), "a\\~ Z");
  // Asked again: the remembered answer must be the same.
  EXPECT_EQ(Encoded(encoding, U"★"), "\x81\x9A");
  EXPECT_EQ(Encoded(encoding, U"\U0001F600ß\uAC00"), "???");
  EXPECT_EQ(Encoded(encoding, std::u32string(1, char32_t{0xD800})), "?");
}

TEST(Win32ShiftJisEncoding, ACharacterHeldTwiceTakesTheCodeWindowsPrefers) {
  Win32ShiftJisEncoding encoding;
  // ≒ and ∵ are in JIS row 2 and NEC row 13; Ⅰ in NEC row 13 and the IBM
  // rows; ⅰ in the NEC-selected and the IBM rows; then the user-defined area.
  EXPECT_EQ(Encoded(encoding, U"≒∵Ⅰⅰ￢\uE000"), "\x81\xE0\x81\xE6\x87\x54\xFA\x40\x81\xCA\xF0\x40");
  for (const char32_t c : std::u32string_view(U"≒∵Ⅰⅰ￢\uE000")) {
    EXPECT_TRUE(encoding.RoundTrips(c)) << std::hex << static_cast<unsigned>(c);
  }
}

// Windows, asked for no best fit, has no code for a look-alike; glibc has
// one. Both systems write the code the look-alike reads back from, so pages
// match; none of them counts as held.
TEST(Win32ShiftJisEncoding, LookAlikesAreWrittenAsOnLinux) {
  Win32ShiftJisEncoding encoding;
  // Each pair: what reads back from the code, then its look-alike.
  const std::u32string_view pairs = U"～〜∥‖－−―—￠¢￡£￢¬";
  for (std::size_t i = 0; i < pairs.size(); i += 2) {
    EXPECT_TRUE(encoding.RoundTrips(pairs[i])) << std::hex << static_cast<unsigned>(pairs[i]);
    EXPECT_FALSE(encoding.RoundTrips(pairs[i + 1]))
        << std::hex << static_cast<unsigned>(pairs[i + 1]);
    EXPECT_EQ(Encoded(encoding, pairs.substr(i + 1, 1)), Encoded(encoding, pairs.substr(i, 1)))
        << std::hex << static_cast<unsigned>(pairs[i + 1]);
  }
  EXPECT_EQ(Encoded(encoding, U"a¥b‾c"), "a?b?c");  // never an ASCII look-alike
}

TEST(Win32ShiftJisEncoding, WritesAFileNameExactly) {
  Win32ShiftJisEncoding encoding;
  std::string out;
  AppendShiftJis("写真¥100〜ｱ.jpg\xFF", encoding, out);
  EXPECT_EQ(out, "\x8E\xCA\x90\x5E?100\x81\x60\xB1.jpg?");
}

// Exposes the converter's own answers, which the code page hides behind "?".
class Exposed : public Win32ShiftJisEncoding {
 public:
  using Win32ShiftJisEncoding::Code;
  using Win32ShiftJisEncoding::Encode;
  using Win32ShiftJisEncoding::kNone;
};

TEST(Win32ShiftJisEncoding, ACharacterWithoutACodeHasNoneRatherThanTheDefaultCharacter) {
  Exposed encoding;
  EXPECT_EQ(encoding.Encode(U'ß'), Exposed::kNone);
  EXPECT_EQ(encoding.Encode(U'¥'), Exposed::kNone);
  EXPECT_EQ(encoding.Encode(U'画'), Exposed::Code{0x89E6});
  EXPECT_EQ(encoding.Encode(U'ｻ'), Exposed::Code{0xBB});
}

TEST(Win32ShiftJisEncoding, HoldsExactlyTheCharactersCodePage932ReadsBackAsThemselves) {
  Win32ShiftJisEncoding encoding;
  int roundTrips = 0;
  std::u32string oneWay;
  for (char32_t c = 0x80; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (encoding.RoundTrips(c)) {
      ++roundTrips;
    } else if (Encoded(encoding, std::u32string(1, c)) != "?") {
      oneWay += c;
    }
  }
  // Microsoft's table reads 9274 characters above ASCII from one or two
  // bytes, the user-defined area included. Five glibc does not read back
  // (U+0080 and four private-use characters on single bytes that browsers
  // refuse) are held by neither system.
  EXPECT_EQ(roundTrips, 9274 - 5);
  EXPECT_EQ(oneWay, U"¢£¬—‖−〜");
  EXPECT_EQ(Encoded(encoding, oneWay), "\x81\x91\x81\x92\x81\xCA\x81\x5C\x81\x61\x81\x7C\x81\x60");
}

}  // namespace
}  // namespace zb
