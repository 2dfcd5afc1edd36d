#include "platform/posix/shift_jis_encoding.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

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
  const iconv_t decoder = iconv_open("UTF-32LE", "CP932");
  char32_t out[2] = {};
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* outPointer = reinterpret_cast<char*>(out);
  std::size_t outLeft = sizeof out;
  const bool ok = iconv(decoder, &in, &inLeft, &outPointer, &outLeft) != std::size_t(-1);
  iconv_close(decoder);
  if (!ok || outLeft != sizeof(char32_t)) return {};
  return std::u32string(1, out[0]);
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
