#include "window/view_and_help.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>

#include "testing/fake_program.h"
#include "testing/shift_jis_for_test.h"

namespace zb {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using Opened = FakeShell::Opened;

const Opened kListPage{"", "C:\\pics\\_gazlist.htm", "c:\\"};
const Opened kAllFiles{"", "C:\\out\\allfile.txt", "c:\\"};

class ViewAndHelp : public testing::Test {
 protected:
  ViewAndHelp() {
    f_.run.OutputFolder = "C:\\out\\";  // as a run leaves it
    f_.form.lblAnnai[0].SetVisible(false);
    f_.form.lblAnnai[1].SetVisible(true);
  }
  // What View (or a view menu item) opens with the two check boxes so.
  std::vector<Opened> View(int gallery, int allFiles, int menuItem = -1) {
    f_.host.shell.opened.clear();
    f_.form.chkGazoHtml.SetValue(gallery);
    f_.form.chkAllFileList.SetValue(allFiles);
    if (menuItem < 0) {
      cmdView_Click(f_.program);
    } else {
      mnuViewItem_Click(f_.program, menuItem);
    }
    EXPECT_TRUE(f_.form.lblAnnai[0].Visible());
    EXPECT_FALSE(f_.form.lblAnnai[1].Visible());
    return f_.host.shell.opened;
  }

  FakeProgram f_;
};

TEST_F(ViewAndHelp, ViewOpensWhatTheCheckBoxesSayAndTrims) {
  EXPECT_THAT(View(1, 1), ElementsAre(kListPage, kAllFiles));
  EXPECT_THAT(View(0, 1), ElementsAre(kAllFiles));
  EXPECT_THAT(View(1, 0), ElementsAre(kListPage));
  EXPECT_THAT(View(0, 0), IsEmpty());
  EXPECT_EQ(f_.host.system.trims, 4);
}

TEST_F(ViewAndHelp, EachViewMenuItemOpensItsOwnFileOnlyAndDoesNotTrim) {
  EXPECT_THAT(View(1, 1, 0), ElementsAre(kListPage));
  EXPECT_THAT(View(0, 1, 0), IsEmpty());
  EXPECT_THAT(View(1, 1, 1), ElementsAre(kAllFiles));
  EXPECT_THAT(View(1, 0, 1), IsEmpty());
  EXPECT_EQ(f_.host.system.trims, 0);
}

TEST_F(ViewAndHelp, HelpMenuOpensTheHomePageTheAboutBoxAndTheReadmeBesideTheProgram) {
  f_.files.AddFile("C:\\Program Files\\Zorbelle\\readme.txt");
  f_.files.AddFile("C:\\Program Files\\Zorbelle\\doc\\readme.txt");
  int abouts = 0;
  for (int item : {0, 1, 2}) mnuHelpItem_Click(f_.program, item, [&abouts] { ++abouts; });
  mnuHelpItem_Click(f_.program, 1, nullptr);  // no window, no About box
  EXPECT_EQ(abouts, 1);
  EXPECT_THAT(f_.host.shell.opened,
              ElementsAre(Opened{"open", "https://zorbelle.invalid/", ""},
                          Opened{"", "C:\\Program Files\\Zorbelle\\readme.txt",
                                 "C:\\Program Files\\Zorbelle"}));
}

TEST_F(ViewAndHelp, AnInstalledReadmeIsFoundInTheDocumentFolderAndAMissingOneIsReported) {
  f_.files.AddFile("C:\\Program Files\\Zorbelle\\doc\\readme.txt");
  OpenReadme(f_.program);
  EXPECT_THAT(f_.host.shell.opened,
              ElementsAre(Opened{"", "C:\\Program Files\\Zorbelle\\doc\\readme.txt",
                                 "C:\\Program Files\\Zorbelle\\doc"}));
  EXPECT_TRUE(f_.host.dialogs.shown.empty());
  f_.files.DeleteFile("C:\\Program Files\\Zorbelle\\doc\\readme.txt");
  OpenReadme(f_.program);
  EXPECT_EQ(f_.host.shell.opened.size(), 1u);
  ASSERT_EQ(f_.host.dialogs.shown.size(), 1u);
  EXPECT_NE(f_.host.dialogs.shown[0].text.find("readme.txt"), std::string::npos);
}

TEST(Readme, IsShiftJisWithCrLf) {
  std::ifstream in(ZORBELLE_SOURCE_DIR "/doc/readme.txt", std::ios::binary);
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_GT(bytes.size(), 1000u);
  for (std::size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1)) {
    ASSERT_EQ(bytes[i - 1], '\r') << "bare LF at byte " << i;
  }
  const std::optional<std::string> utf8 = Converted("UTF-8", "CP932", bytes);
  ASSERT_TRUE(utf8) << "not Shift_JIS";
  EXPECT_NE(utf8->find("zorbelle-cli"), std::string::npos);
  EXPECT_NE(utf8->find("使い方"), std::string::npos);
}

}  // namespace
}  // namespace zb
