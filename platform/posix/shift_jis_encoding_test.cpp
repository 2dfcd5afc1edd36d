#include "platform/posix/shift_jis_encoding.h"

#include <gtest/gtest.h>

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

TEST(ShiftJisEncoding, CanEncodeAgreesWithTheBytesWritten) {
  ShiftJisEncoding encoding;
  for (const char32_t c : std::u32string_view(U"a★ｻ①\U0001F600ß\uAC00\u00A0")) {
    EXPECT_EQ(encoding.CanEncode(c), Encoded(encoding, std::u32string(1, c)) != "?")
        << static_cast<unsigned>(c);
  }
  EXPECT_TRUE(encoding.CanEncode(U'★'));
  EXPECT_FALSE(encoding.CanEncode(U'\U0001F600'));
  EXPECT_FALSE(encoding.CanEncode(0x110000));
}

}  // namespace
}  // namespace zb
