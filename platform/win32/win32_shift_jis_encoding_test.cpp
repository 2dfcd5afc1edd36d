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
  EXPECT_EQ(Encoded(encoding, U"a\\~ Z★"), "a\\~ Z\x81\x9A");  // ★ again: as remembered
  EXPECT_EQ(Encoded(encoding, U"\U0001F600ß\uAC00"), "???");
  EXPECT_EQ(Encoded(encoding, std::u32string(1, char32_t{0xD800})), "?");
}

TEST(Win32ShiftJisEncoding, ACharacterHeldTwiceTakesTheCodeWindowsPrefers) {
  Win32ShiftJisEncoding encoding;
  // ≒ and ∵ are in JIS row 2 and NEC row 13; Ⅰ in NEC row 13 and the IBM
  // rows; ⅰ in the NEC-selected and the IBM rows; then the user-defined area.
  EXPECT_EQ(Encoded(encoding, U"≒∵Ⅰⅰ￢\uE000"), "\x81\xE0\x81\xE6\x87\x54\xFA\x40\x81\xCA\xF0\x40");
}

// Exposes the converter's own answers, which the code page hides behind "?".
class Exposed : public Win32ShiftJisEncoding {
 public:
  using Win32ShiftJisEncoding::Encode;
  using Win32ShiftJisEncoding::kNone;
};

TEST(Win32ShiftJisEncoding, ACharacterWithoutACodeHasNoneRatherThanTheDefaultCharacter) {
  Exposed encoding;
  EXPECT_EQ(encoding.Encode(U'ß'), Exposed::kNone);
  EXPECT_EQ(encoding.Encode(U'¥'), Exposed::kNone);
}

TEST(Win32ShiftJisEncoding, HoldsExactlyWhatCodePage932ReadsBackAndWritesLookAlikesAsOnLinux) {
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
  // Microsoft's table reads back 9274 above ASCII; five glibc does not
  // (U+0080, four private-use single bytes) are held by neither system. Each
  // look-alike Windows has no code for is written as the character its
  // glibc code reads back as, so that pages match; ¥ and ‾ are no "\" or "~".
  EXPECT_EQ(roundTrips, 9274 - 5);
  EXPECT_EQ(oneWay, U"¢£¬—‖−〜");
  EXPECT_EQ(Encoded(encoding, oneWay), "\x81\x91\x81\x92\x81\xCA\x81\x5C\x81\x61\x81\x7C\x81\x60");
}

}  // namespace
}  // namespace zb
