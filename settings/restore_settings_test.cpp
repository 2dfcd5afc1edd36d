#include "settings/restore_settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "settings/settings_test_host.h"

namespace zb {
namespace {

TEST(RestoreSettings, ValuesTheControlsCannotTakeFallBackToTheKeysDefaults) {
  SettingsTestHost host;
  const std::vector<std::string> defaults = Describe(host.Start()->form);
  for (const auto& [key, value] : std::initializer_list<std::pair<const char*, const char*>>{
           {"chkGazoHtml", "yes"},
           {"chkBmp", "7"},
           {"chkHtmlBr", "-1"},
           {"chkAllFileList", ""},
           {"chkSubDir", "99999999999999999999"},
           {"hscGazoSuu", "1000"},
           {"hscThumbnail", "9"},
           {"mnuOptionItem0", "maybe"},
           {"mnuOptionItem1", "TRUE"},
           {"chkTable1", "1.5"},
           {"cmbFontSize", "huge"},
           {"cmbGazoSuu", "99"},
           {"optWin2", "5"}}) {
    host.Store(key, value);
  }
  const auto program = host.Start();
  const std::vector<std::string> seen = Describe(program->form);
  std::vector<std::string> changed;
  for (std::size_t i = 0; i < seen.size(); ++i) {
    if (seen[i] != defaults[i]) changed.push_back(seen[i]);
  }
  // Typing is allowed in the font size; for the window buttons anything but
  // "1" or "2" is the first.
  EXPECT_THAT(changed, testing::ElementsAre("hscGazoSuu=1000 1000", "mnuOptionItem=True",
                                            "cmbFontSize=huge (disabled)", "optWin2=1", "optWin2=0",
                                            "Window=white"));
  EXPECT_EQ(program->session.run.ImagesPerPage, 1000);

  host.Store("optWin2", "");
  host.Store("cmbGazoSuu", "30");
  EXPECT_TRUE(host.Start()->form.optWin2[0].Value());
  EXPECT_EQ(host.Start()->form.cmbGazoSuu.Text(), "30");
}

TEST(RestorePaths, PathsThatAreGoneGiveWayToTheFolderList) {
  SettingsTestHost host;
  host.fake.files.AddFolder("C:\\out");
  host.fake.files.AddFile("C:\\pics\\photo.jpg");
  host.Store("chkSameDir", "0");
  host.Store("txtOLESakusei", "C:\\out\\missing.htm");
  host.Store("txtOLEKensaku", "C:\\pics\\photo.jpg");
  const auto kept = host.Start();
  EXPECT_EQ(kept->form.txtOLESakusei.Text(), "C:\\out\\missing.htm");
  EXPECT_EQ(kept->session.run.ListPath, "C:\\out\\missing.htm");
  EXPECT_EQ(kept->form.Dir1.Path(), "C:\\pics");
  EXPECT_EQ(kept->form.txtOLEKensaku.Text(), "C:\\pics");

  host.Store("txtOLESakusei", "C:\\gone\\list.htm");
  host.Store("txtOLEKensaku", "C:\\gone");
  const auto gone = host.Start();
  EXPECT_EQ(gone->form.txtOLESakusei.Text(), "");
  EXPECT_EQ(gone->session.run.ListPath, "");
  EXPECT_EQ(gone->form.Dir1.Path(), "C:\\");
  EXPECT_EQ(gone->form.txtOLEKensaku.Text(), "C:\\");

  // A file in the start-up folder: the lists stay, yet both fields follow them.
  host.Store("chkSameDir", "1");
  host.Store("txtOLEKensaku", "C:\\list.htm");
  const auto same = host.Start();
  EXPECT_EQ(same->form.txtOLEKensaku.Text(), "C:\\");
  EXPECT_EQ(same->form.txtOLESakusei.Text(), "C:\\_gazlist.htm");
  EXPECT_THAT(host.fake.dialogs.shown, testing::IsEmpty());

  // Nothing stored: C:\_Zorbelle when it exists.
  SettingsTestHost first;
  EXPECT_EQ(first.Start()->form.Dir1.Path(), "C:\\");
  first.fake.files.AddFolder("C:\\_Zorbelle");
  EXPECT_EQ(first.Start()->form.txtOLESakusei.Text(), "C:\\_Zorbelle\\_gazlist.htm");
}

}  // namespace
}  // namespace zb
