#include "platform/posix/ini_settings_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/posix/ini_crash_marker_store.h"
#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

constexpr char kApp[] = "Zorbelle";
constexpr char kOptions[] = "CheckBox Value";

class IniSettingsStoreTest : public ::testing::Test {
 protected:
  TestFolder folder_;
  IniSettingsStore store_{folder_.Host("config")};
};

TEST_F(IniSettingsStoreTest, KeepsEveryKeyOfASectionAndFallsBackForTheRest) {
  EXPECT_EQ(store_.Read(kApp, kOptions, "chkBmp", "1"), "1");
  ASSERT_TRUE(store_.Write(kApp, kOptions, "chkBmp", "0"));
  ASSERT_TRUE(store_.Write(kApp, kOptions, "hscGazoSuu", "100"));
  ASSERT_TRUE(store_.Write(kApp, kOptions, "chkBmp", "1"));
  IniSettingsStore later(folder_.Host("config"));
  EXPECT_EQ(later.Read(kApp, kOptions, "chkBmp", ""), "1");
  EXPECT_EQ(later.Read(kApp, kOptions, "HSCGAZOSUU", ""), "100");
  EXPECT_EQ(later.Read(kApp, kOptions, "chkSubDir", "1"), "1");
  EXPECT_EQ(later.Read(kApp, "Other", "chkBmp", "x"), "x");
  EXPECT_EQ(later.Read("Other", kOptions, "chkBmp", "x"), "x");
}

// Readable as plain text, without leftovers beside the files.
TEST_F(IniSettingsStoreTest, ASectionWrittenAtOnceKeepsItsOtherKeys) {
  ASSERT_TRUE(store_.Write(kApp, kOptions, "chkBmp", "0"));
  ASSERT_TRUE(store_.Write(kApp, kOptions, "txtOLESakusei", "C:\\out\\_gazlist.htm"));
  ASSERT_TRUE(store_.WriteSection(kApp, kOptions, {{"CHKBMP", "1"}, {"hscGazoSuu", "7"}}));
  ASSERT_TRUE(IniCrashMarkerStore(folder_.Host("config")).Write(kApp, "C:\\a.jpg"));
  EXPECT_EQ(folder_.Contents("config/Zorbelle/CheckBox Value.ini"),
            "[CheckBox Value]\nchkBmp=1\ntxtOLESakusei=C:\\out\\_gazlist.htm\nhscGazoSuu=7\n");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.Host("config/Zorbelle"))) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_THAT(names, ::testing::UnorderedElementsAre("CheckBox Value.ini",
                                                     "PictureBox_LoadPicture_PgmEnd.ini"));
}

TEST_F(IniSettingsStoreTest, ValuesComeBackByteForByte) {
  const std::string values[] = {
      "C:\\My Pictures\\100%\\",
      "two\nlines\r\nand a tab\t",
      "  spaces at both ends  ",
      "; not a comment # nor this = nor : this [x]",
      "%41 stays %41, %zz stays",
      "",
      "C:\\写真\\" + std::string(300, 'a') + " " + std::string(100, ' ') + "★.jpg",
      " \x80 stray bytes after blanks \xBF",
      // Just within one line as they stand, just past it, and a blank at an end.
      std::string(120, 'a'),
      std::string(121, 'b'),
      "C:\\ends in a blank ",
      "\tC:\\starts with a tab",
  };
  for (const std::string& value : values) {
    ASSERT_TRUE(store_.Write(kApp, kOptions, "txtOLEKensaku", value));
    EXPECT_EQ(IniSettingsStore(folder_.Host("config")).Read(kApp, kOptions, "txtOLEKensaku", "?"),
              value);
  }
}

TEST_F(IniSettingsStoreTest, ADeviceInPlaceOfTheFileReadsAsEmptyWithoutHanging) {
  folder_.MakeFolder("config/Zorbelle");
  for (const auto& entry : std::filesystem::directory_iterator(folder_.Host("config/Zorbelle"))) {
    std::filesystem::remove(entry.path());
  }
  ASSERT_TRUE(store_.Write(kApp, kOptions, "chkBmp", "0"));
  for (const auto& entry : std::filesystem::directory_iterator(folder_.Host("config/Zorbelle"))) {
    std::filesystem::remove(entry.path());
    std::filesystem::create_symlink("/dev/zero", entry.path());
  }
  EXPECT_EQ(store_.Read(kApp, kOptions, "chkBmp", "1"), "1");
}

TEST_F(IniSettingsStoreTest, AFolderThatCannotBeMadeFailsTheWrite) {
  folder_.Put("blocked", "a file where the folder should be");
  IniSettingsStore blocked(folder_.Host("blocked/config"));
  EXPECT_FALSE(blocked.Write(kApp, kOptions, "chkBmp", "0"));
  EXPECT_EQ(blocked.Read(kApp, kOptions, "chkBmp", "1"), "1");
  IniCrashMarkerStore blockedMarker(folder_.Host("blocked/config"));
  EXPECT_FALSE(blockedMarker.Write(kApp, "C:\\a.jpg"));
  EXPECT_EQ(blockedMarker.Read(kApp, "1"), "1");
}

}  // namespace
}  // namespace zb
