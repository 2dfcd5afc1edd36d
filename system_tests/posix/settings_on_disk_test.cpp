#include "settings/save_settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "platform/fake/fake_settings_store.h"
#include "platform/posix/ini_crash_marker_store.h"
#include "platform/posix/ini_settings_store.h"
#include "platform/posix/testing/test_folder.h"
#include "settings/settings_messages.h"
#include "settings/settings_test_host.h"
#include "window/path_fields.h"

namespace zb {
namespace {

using testing::ElementsAre;

TEST(SaveSettings, EveryOptionBothPathsAndTheInterlocksComeBack) {
  SettingsTestHost host;
  host.fake.files.AddFolder("C:\\pics\\sub");
  host.fake.files.AddFolder("C:\\out");
  const auto first = host.Start();
  MainForm& f = first->form;
  f.chkGazoHtml.SetValue(0);
  f.chkBmp.SetValue(0);
  f.chkHtmlBr.SetValue(1);
  f.chkAllFileList.SetValue(1);
  f.chkSameDir.SetValue(0);
  f.chkLelative.SetValue(0);
  f.chkSubDir.SetValue(0);
  f.hscGazoSuu.SetValue(37);
  f.hscThumbnail.SetValue(250);
  f.mnuOptionItem[kOptionDeleteOddFiles].Choose();
  f.mnuOptionItem[kOptionWhiteBackground].Choose();
  f.chkTable1.SetValue(1);
  f.cmbFontSize.SetText("+2");
  f.cmbGazoSuu.SetText("12");
  f.chkFileName.SetValue(1);
  f.optWin2[2].SetValue(true);
  MoveFolderList(*first, "C:\\pics\\sub");
  f.txtOLESakusei.SetText("C:\\out\\list.htm");
  SaveSettings(first->form, first->platform);

  const auto second = host.Start();
  EXPECT_EQ(Describe(second->form), Describe(f));
  EXPECT_EQ(second->session.run.ListPath, "C:\\out\\list.htm");
  EXPECT_EQ(second->session.run.ImagesPerPage, 37);

  // And back to the other side of every interlock.
  second->form.chkGazoHtml.SetValue(1);
  second->form.chkTable1.SetValue(0);
  second->form.chkSameDir.SetValue(1);
  second->form.chkLelative.SetValue(0);
  second->form.optWin2[0].SetValue(true);
  SaveSettings(second->form, second->platform);
  EXPECT_EQ(Describe(host.Start()->form), Describe(second->form));
}

TEST(SaveSettings, AFirstStartSavesTheDefaultsAsAll18KeysInOrder) {
  TestFolder folder;
  IniSettingsStore store(folder.Host("config"));
  SettingsTestHost host(&store);
  const auto program = host.Start();
  SaveSettings(program->form, program->platform);
  EXPECT_EQ(folder.Contents("config/Zorbelle/CheckBox Value.ini"),
            "[CheckBox Value]\n"
            "chkGazoHtml=1\nchkBmp=1\nchkHtmlBr=0\nchkAllFileList=0\nchkLelative=1\n"
            "chkSameDir=1\nchkSubDir=1\nhscGazoSuu=100\nhscThumbnail=100\n"
            "txtOLEKensaku=C:\\\ntxtOLESakusei=C:\\_gazlist.htm\n"
            "mnuOptionItem0=False\nmnuOptionItem1=False\nchkTable1=0\ncmbFontSize=1\n"
            "cmbGazoSuu=3\nchkFileName=0\noptWin2=1\n");

  program->form.mnuOptionItem[kOptionWhiteBackground].Choose();
  program->form.optWin2[2].SetValue(true);
  SaveSettings(program->form, program->platform);
  const std::string text = folder.Contents("config/Zorbelle/CheckBox Value.ini");
  EXPECT_NE(text.find("\nmnuOptionItem1=True\n"), std::string::npos);
  EXPECT_NE(text.find("\noptWin2=2\n"), std::string::npos);
}

// Counts the separate changes that reach the store.
class CountingStore : public FakeSettingsStore {
 public:
  bool Write(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override {
    ++changes;
    return FakeSettingsStore::Write(app, section, key, value);
  }
  bool WriteSection(const std::string& app, const std::string& section,
                    const Values& values) override {
    ++changes;
    for (const auto& [key, value] : values) FakeSettingsStore::Write(app, section, key, value);
    return true;
  }
  int changes = 0;
};

TEST(SaveSettings, StoresAllOptionsAsOneChangeSoThatClosingDoesNotWaitPerKey) {
  CountingStore store;
  SettingsTestHost host(&store);
  const auto program = host.Start();
  store.changes = 0;
  SaveSettings(program->form, program->platform);
  EXPECT_EQ(store.changes, 1);
}

class DamagedSettingsFile : public testing::Test {
 protected:
  // The state a start on this file gives, and the state the start after
  // saving it gives.
  std::pair<std::vector<std::string>, std::vector<std::string>> StartOn(const std::string& text) {
    folder_.Put("config/Zorbelle/CheckBox Value.ini", text);
    const auto first = host_.Start();
    SaveSettings(first->form, first->platform);
    return {Describe(first->form), Describe(host_.Start()->form)};
  }
  std::vector<std::string> Defaults() {
    SettingsTestHost empty;
    return Describe(empty.Start()->form);
  }

  TestFolder folder_;
  IniSettingsStore store_{folder_.Host("config")};
  SettingsTestHost host_{&store_};
};

TEST_F(DamagedSettingsFile, GarbageGivesTheDefaultsAndSavingMendsIt) {
  std::mt19937 random(7);
  std::string garbage;
  while (garbage.size() < 4096) {
    const char c = static_cast<char>(random());
    if (c != '=' && c != ':') garbage += c;  // no line can pass for a key
  }
  const auto [loaded, afterSaving] = StartOn(garbage);
  EXPECT_EQ(loaded, Defaults());
  EXPECT_EQ(afterSaving, loaded);
}

// A truncated file keeps what it still holds; a hand-edited one is read as meant.
TEST_F(DamagedSettingsFile, WhatIsLeftOfAKeyOrWrittenByHandIsRead) {
  for (const auto& [text, perPage] : std::initializer_list<std::pair<const char*, const char*>>{
           {"[CheckBox Value]\nchkBmp=0\nhscGazoSuu=4", "hscGazoSuu=4 4"},
           {"; edited by hand on Windows\r\n"
            "[checkbox value]\r\n"
            "HSCGAZOSUU = 20\r\n"
            "unknown=key\r\n"
            "chkBmp=0   ; no bitmaps\r\n"
            "[Other]\r\n"
            "hscThumbnail=500\r\n",
            "hscGazoSuu=20 20"}}) {
    const auto [loaded, afterSaving] = StartOn(text);
    std::vector<std::string> expected = Defaults();
    expected[1] = "chkBmp=0";
    expected[9] = perPage;
    EXPECT_EQ(loaded, expected) << text;
    EXPECT_EQ(afterSaving, loaded) << text;
  }
}

TEST(ReportIfSettingsCannotBeSaved, SaysSoOnceAndTheProgramRunsOn) {
  TestFolder folder;
  // Not even root can make a folder below a plain file.
  IniSettingsStore store(folder.Put("config") + "/below-a-file");
  IniCrashMarkerStore marker(folder.Host("config") + "/below-a-file");
  SettingsTestHost host(&store, &marker);
  host.fake.files.AddFile("C:\\pics\\a.jpg");
  host.fake.pictures.sizes["C:\\pics\\a.jpg"] = {64, 48};
  const auto program = host.Start();
  const std::vector<std::string> defaults = Describe(program->form);
  host.fake.dialogs.shown.clear();
  ReportIfSettingsCannotBeSaved(program->platform);
  MoveFolderList(*program, "C:\\pics");
  program->form.cmdStart.Press();
  EXPECT_EQ(program->session.lastOutcome, RunOutcome::kCompleted);
  SaveSettings(program->form, program->platform);
  EXPECT_THAT(host.fake.dialogs.shown,
              ElementsAre(testing::Field(&MessageBox::text, SettingsCannotBeSavedMessage().text)));
  EXPECT_EQ(Describe(host.Start()->form), defaults);

  SettingsTestHost writable;
  ReportIfSettingsCannotBeSaved(writable.Start()->platform);
  EXPECT_THAT(writable.fake.dialogs.shown, testing::IsEmpty());
}

}  // namespace
}  // namespace zb
