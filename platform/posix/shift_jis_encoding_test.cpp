#include "platform/posix/shift_jis_encoding.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "testing/shift_jis_for_test.h"

namespace zb {
namespace {

std::string Encoded(ShiftJisEncoding& encoding, std::u32string_view text) {
  std::string out;
  for (const char32_t c : text) encoding.Append(c, out);
  return out;
}

TEST(ShiftJisEncoding, WritesTheCodePagesBytesAndAQuestionMarkForTheRest) {
  ShiftJisEncoding encoding;
  EXPECT_EQ(Encoded(encoding, U"★♪｡ｻ①画像"), "\x81\x9A\x81\xF4\xA1\xBB\x87\x40\x89\xE6\x91\x9C");
  EXPECT_EQ(Encoded(encoding, U"a\\~ Z"), "a\\~ Z");
  // Asked again: the remembered answer must be the same.
  EXPECT_EQ(Encoded(encoding, U"★"), "\x81\x9A");
  EXPECT_EQ(Encoded(encoding, U"\U0001F600ß\uAC00"), "???");
  EXPECT_EQ(Encoded(encoding, std::u32string(1, char32_t{0xD800})), "?");
}

// Reads Shift_JIS bytes back as a browser's decoder would; empty when they
// are not one character.
std::u32string Decoded(const std::string& bytes) {
  const std::optional<std::string> utf32 = Converted("UTF-32LE", "CP932", bytes);
  if (!utf32 || utf32->size() != sizeof(char32_t)) return {};
  char32_t c;
  std::memcpy(&c, utf32->data(), sizeof c);
  return std::u32string(1, c);
}

TEST(ShiftJisEncoding, ACharacterRoundTripsExactlyWhenItsBytesReadBackAsIt) {
  ShiftJisEncoding encoding;
  std::u32string oneWay;
  for (char32_t c = 0x80; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::string bytes = Encoded(encoding, std::u32string(1, c));
    const bool held = bytes != "?";
    ASSERT_EQ(encoding.RoundTrips(c), held && Decoded(bytes) == std::u32string(1, c))
        << std::hex << static_cast<unsigned>(c);
    if (held && !encoding.RoundTrips(c)) oneWay += c;
  }
  // Those known to go astray in browsers are among them.
  for (const char32_t c : std::u32string_view(U"〜‖−—¢£¬")) {
    EXPECT_NE(oneWay.find(c), std::u32string::npos) << std::hex << static_cast<unsigned>(c);
  }
  EXPECT_TRUE(encoding.RoundTrips(U'～'));
  EXPECT_TRUE(encoding.RoundTrips(U'a'));
  EXPECT_FALSE(encoding.RoundTrips(U'\U0001F600'));
  EXPECT_FALSE(encoding.RoundTrips(0x110000));
}

TEST(ShiftJisEncoding, OneWayCharactersAreWrittenAsTheirLookAlikeButNeverAsAscii) {
  ShiftJisEncoding encoding;
  EXPECT_EQ(Encoded(encoding, U"波〜−"), "\x94\x67\x81\x60\x81\x7C");
  EXPECT_EQ(Encoded(encoding, U"a¥b‾c"), "a?b?c");
}

}  // namespace
}  // namespace zb
