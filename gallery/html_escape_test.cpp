#include "gallery/html_escape.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/fake/fake_encoding.h"

namespace zb {
namespace {

TEST(HtmlEscapeTest, TextKeepsWhatThePageCanHoldAndReferencesTheRest) {
  FakeEncoding encoding;
  EXPECT_EQ(EscapeHtmlText("a&b<c>\"d\" 100% #? 画像😀", encoding),
            "a&amp;b&lt;c&gt;&quot;d&quot; 100% #? 画像😀");
  encoding.Refuse(U'😀');
  EXPECT_EQ(EscapeHtmlText("x😀y\tz", encoding), "x&#128512;y&#9;z");
  EXPECT_EQ(EscapeHtmlText("a\xFF"
                           "b\xE7\x94",
                           encoding),
            "a&#65533;b&#65533;&#65533;");
}

TEST(HtmlEscapeTest, LinksPercentEncodeBytesThatCannotStandAsTheyAre) {
  FakeEncoding encoding;
  encoding.Refuse(U'😀');
  EXPECT_EQ(EscapeLink("sub/画像 1.jpg", encoding), "sub/画像%201.jpg");
  EXPECT_EQ(EscapeLink("😀\xFF\xE7\x94.jpg", encoding), "%F0%9F%98%80%FF%E7%94.jpg");
}

// Longer forms of a character, cut-off sequences and surrogates are no
// characters: each of their bytes stands alone.
TEST(HtmlEscapeTest, SequencesThatAreNoCharacterAreTakenByteByByte) {
  FakeEncoding encoding;
  const std::string kReplaced = "&#65533;";
  for (const char* bytes :
       {"\xE0\x82\xA9", "\xC1\xA9", "\xF0\x80\x82\xA9", "\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
    const std::string text = std::string("a") + bytes + "b";
    std::string escaped = "a";
    std::string link = "a";
    for (const char* b = bytes; *b != '\0'; ++b) {
      escaped += kReplaced;
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(*b));
      link += hex;
    }
    EXPECT_EQ(EscapeHtmlText(text, encoding), escaped + "b") << text;
    EXPECT_EQ(EscapeLink(text, encoding), link + "b") << text;
  }
  // The shortest forms next to them still count.
  EXPECT_EQ(EscapeHtmlText("\xC2\xA9\xE0\xA0\x80", encoding), "\xC2\xA9\xE0\xA0\x80");
}

}  // namespace
}  // namespace zb
