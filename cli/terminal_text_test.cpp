#include "cli/terminal_text.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

TEST(ForTerminal, LineEndsStayAndEveryOtherControlShowsAsHex) {
  EXPECT_EQ(ForTerminal("削除しますか。\r\nC:\\写真\\a.jpg"), "削除しますか。\nC:\\写真\\a.jpg");
  EXPECT_EQ(ForTerminal("a\x1b]0;title\x07z\tb\rc\nd\x7f"),
            "a\\x1B]0;title\\x07z\\x09b\\x0Dc\\x0Ad\\x7F");
  // C1 CSI as UTF-8, a direction override, a stray byte, an overlong '/'.
  EXPECT_EQ(ForTerminal("x\xc2\x9b" "2Ky"), "x\\xC2\\x9B2Ky");
  EXPECT_EQ(ForTerminal("gpj.\xe2\x80\xae" "exe"), "gpj.\\xE2\\x80\\xAEexe");
  EXPECT_EQ(ForTerminal("\xff\xc0\xaf"), "\\xFF\\xC0\\xAF");
  EXPECT_EQ(ForTerminal("\xf0\x9f\x93\xb7"), "\xf0\x9f\x93\xb7");
}

}  // namespace
}  // namespace zb
