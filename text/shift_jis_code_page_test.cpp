#include "text/shift_jis_code_page.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace zb {
namespace {

// A code page of three characters: "é" both ways, "ü" one way onto a code
// that reads back as another, and "ß" one way onto the ASCII "\".
class ThreeCharacters : public ShiftJisCodePage {
 public:
  int asked = 0;

 private:
  Code Encode(char32_t c) override {
    ++asked;
    const std::map<char32_t, Code> codes{
        {U'é', 0x8140}, {U'ü', 0x8160}, {U'ß', 0x5C}, {0xF8F0, 0xA0}, {U'〜', 0x8141}};
    const auto found = codes.find(c);
    return found != codes.end() ? found->second : kNone;
  }
  bool DecodesTo(Code code, char32_t c) override { return code == 0x8140 && c == U'é'; }
};

TEST(ShiftJisCodePage, WritesEachCharacterAsTheHostHoldsItAndAsksOnce) {
  ThreeCharacters page;
  std::string out;
  AppendShiftJis("aéüß\U0001F600\xFFz", page, out);
  EXPECT_EQ(out, "a\x81\x40\x81\x60???z");
  EXPECT_EQ(page.asked, 3);  // the emoji lies outside the code page's plane
  out.clear();
  AppendShiftJis("éé", page, out);
  EXPECT_EQ(out, "\x81\x40\x81\x40");
  EXPECT_EQ(page.asked, 3);
}

TEST(ShiftJisCodePage, OnlyWhatReadsBackAsItselfRoundTrips) {
  ThreeCharacters page;
  EXPECT_TRUE(page.RoundTrips(U'a'));
  EXPECT_TRUE(page.RoundTrips(U'é'));
  EXPECT_FALSE(page.RoundTrips(U'ü'));
  EXPECT_FALSE(page.RoundTrips(U'ß'));
  EXPECT_FALSE(page.RoundTrips(U'ä'));
  EXPECT_FALSE(page.RoundTrips(0xD800));
  EXPECT_FALSE(page.RoundTrips(0x110000));
}

// Where Linux's and Windows' converters differ, neither is asked.
TEST(ShiftJisCodePage, CharactersTheHostsDisagreeOnHaveOneAnswer) {
  ThreeCharacters page;
  std::string out;
  AppendShiftJis("〜‖¥\xEF\xA3\xB0\xC2\x80", page, out);
  EXPECT_EQ(out, "\x81\x60\x81\x61???");
  EXPECT_EQ(page.asked, 0);
  for (char32_t c : {U'〜', U'‖', U'¥', char32_t{0xF8F0}, char32_t{0x80}}) {
    EXPECT_FALSE(page.RoundTrips(c));
  }
}

}  // namespace
}  // namespace zb
