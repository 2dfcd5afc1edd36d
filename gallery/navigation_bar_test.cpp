#include "gallery/navigation_bar.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/fake/fake_encoding.h"
#include "platform/fake/fake_file_system.h"

namespace zb {
namespace {

using ::testing::ElementsAre;

constexpr char kOpening[] =
    "<p><TABLE border=\"1\" cellpadding=\"1\" cellspacing=\"0\" WIDTH=\"100%\" "
    "align=\"center\"><TR>";
constexpr char kClosing[] = "</TR></TABLE><center>";

class NavigationBarTest : public ::testing::Test {
 protected:
  void Write(int n, const std::string& listFileName) {
    auto normal = files.CreateTextFile("C:\\n.htm");
    auto reduced = files.CreateTextFile("C:\\r.htm");
    WriteNavigationBar(*normal, *reduced, n, listFileName, encoding);
  }

  FakeFileSystem files;
  FakeEncoding encoding;
};

TEST_F(NavigationBarTest, FirstPairHasNoPreviousLinkAndLinksTheOtherViewOfItself) {
  Write(1, "_gazlist.htm");
  EXPECT_THAT(files.Lines("C:\\n.htm"),
              ElementsAre(kOpening, "<td width=\"30%\" align=\"center\">前のリスト</td>",
                          "<td width=\"30%\" align=\"center\"><a href=\"_gazlist.htm\">リスト</a>"
                          "　<a href=\"_gaz0000.html\">縮小</a></TD>",
                          "<td width=\"30%\" align=\"right\"><a href=\"_gaz0001.htm\"><font "
                          "size=+1>次のリスト</font>_gaz0001.htm</a></td>",
                          kClosing));
  EXPECT_THAT(files.Lines("C:\\r.htm"),
              ElementsAre(kOpening, "<td width=\"30%\" align=\"center\">前のリスト</td>",
                          "<td width=\"30%\" align=\"center\"><a href=\"_gazlist.htm\">リスト</a>"
                          "　<a href=\"_gaz0000.htm\">通常</a></TD>",
                          "<td width=\"30%\" align=\"right\"><a href=\"_gaz0001.html\"><font "
                          "size=+1>次のリスト</font>_gaz0001.html</a></td>",
                          kClosing));
}

TEST_F(NavigationBarTest, LaterPairLinksItsNeighboursAndTheListPageByItsOwnName) {
  Write(3, "list.htm");
  EXPECT_THAT(files.Lines("C:\\n.htm"),
              ElementsAre(kOpening,
                          "<td width=\"30%\" align=\"center\"><a href=\"_gaz0001.htm\">"
                          "前のリスト_gaz0001.htm</a></td>",
                          "<td width=\"30%\" align=\"center\"><a href=\"list.htm\">リスト</a>"
                          "　<a href=\"_gaz0002.html\">縮小</a></TD>",
                          "<td width=\"30%\" align=\"right\"><a href=\"_gaz0003.htm\"><font "
                          "size=+1>次のリスト</font>_gaz0003.htm</a></td>",
                          kClosing));
  EXPECT_EQ(files.Lines("C:\\r.htm")[1],
            "<td width=\"30%\" align=\"center\"><a href=\"_gaz0001.html\">"
            "前のリスト_gaz0001.html</a></td>");
}

TEST_F(NavigationBarTest, ListPageNameIsEscapedAsALink) {
  encoding.Refuse(U'😀');
  Write(2, "a&b #1😀.htm");
  EXPECT_EQ(files.Lines("C:\\n.htm")[2],
            "<td width=\"30%\" align=\"center\"><a href=\"a&amp;b%20%231%F0%9F%98%80.htm\">リスト"
            "</a>　<a href=\"_gaz0001.html\">縮小</a></TD>");
}

}  // namespace
}  // namespace zb
