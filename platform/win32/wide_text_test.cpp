#include "platform/win32/wide_text.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

TEST(WideTextTest, CharactersOfEveryLengthGoBothWays) {
  const std::string text = "a\u00e9\u5199\u771f\U0001F4F7z";
  const std::wstring wide = WideFromUtf8(text);
  EXPECT_EQ(wide, std::wstring(L"a\u00e9\u5199\u771f\xD83D\xDCF7z"));
  EXPECT_EQ(Utf8FromWide(wide), text);
}

TEST(WideTextTest, WhatCannotBeCarriedBecomesOneReplacementEachAndTheRestIsKept) {
  EXPECT_EQ(WideFromUtf8("a\x80"
                         "b\xE6\x97"),
            std::wstring(L"a\xFFFD"
                         L"b\xFFFD\xFFFD"));
  EXPECT_EQ(Utf8FromWide(std::wstring(L"a\xD83D"
                                      L"b\xDCF7\xDCF7\xD83D")),
            "a\uFFFDb\uFFFD\uFFFD\uFFFD");
}

}  // namespace
}  // namespace zb
