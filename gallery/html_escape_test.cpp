#include "gallery/html_escape.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zb
