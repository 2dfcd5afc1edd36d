#include "platform/posix/ini_settings_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/posix/test_folder.h"

namespace zb {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr char kApp[] = "Zorbelle";
constexpr char kOptions[] = "CheckBox Value";
constexpr char kMarker[] = "PictureBox_LoadPicture_PgmEnd";

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

TEST_F(IniSettingsStoreTest, ASectionWrittenAtOnceKeepsItsOtherKeys) {
  ASSERT_TRUE(store_.Write(kApp, kOptions, "chkBmp", "0"));
  ASSERT_TRUE(store_.Write(kApp, kOptions, "chkSubDir", "0"));
  ASSERT_TRUE(store_.WriteSection(kApp, kOptions, {{"CHKBMP", "1"}, {"hscGazoSuu", "7"}}));
  EXPECT_EQ(folder_.Contents("config/Zorbelle/CheckBox Value.ini"),
            "[CheckBox Value]\nchkBmp=1\nchkSubDir=0\nhscGazoSuu=7\n");
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

TEST_F(IniSettingsStoreTest, FilesAreReadableWithoutLeftoversAndAHandEditIsRead) {
  ASSERT_TRUE(store_.Write(kApp, kOptions, "txtOLESakusei", "C:\\out\\_gazlist.htm"));
  ASSERT_TRUE(store_.Write(kApp, kMarker, "aFileName", "C:\\a.jpg"));
  EXPECT_THAT(folder_.Contents("config/Zorbelle/CheckBox Value.ini"),
              HasSubstr("txtOLESakusei=C:\\out\\_gazlist.htm\n"));
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.Host("config/Zorbelle"))) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_THAT(names, ::testing::UnorderedElementsAre("CheckBox Value.ini",
                                                     "PictureBox_LoadPicture_PgmEnd.ini"));
  folder_.Put("config/Zorbelle/CheckBox Value.ini",
              "; edited by hand\n[CheckBox Value]\nchkBmp = 0\n");
  EXPECT_EQ(store_.Read(kApp, kOptions, "chkBmp", "1"), "0");
}

TEST_F(IniSettingsStoreTest, AFolderThatCannotBeMadeFailsTheWrite) {
  folder_.Put("blocked", "a file where the folder should be");
  IniSettingsStore blocked(folder_.Host("blocked/config"));
  EXPECT_FALSE(blocked.Write(kApp, kOptions, "chkBmp", "0"));
  EXPECT_FALSE(blocked.Write(kApp, kMarker, "aFileName", "C:\\a.jpg"));
  EXPECT_EQ(blocked.Read(kApp, kOptions, "chkBmp", "1"), "1");
  EXPECT_EQ(blocked.Read(kApp, kMarker, "aFileName", "1"), "1");
}

std::string MarkerFile(TestFolder& folder) {
  return folder.Contents("config/Zorbelle/" + std::string(kMarker) + ".ini");
}

TEST_F(IniSettingsStoreTest, ALivingWritersMarkerIsNoCrashAndOnlyItsWriterChangesIt) {
  IniSettingsStore other(folder_.Host("config"));
  ASSERT_TRUE(store_.Write(kApp, kMarker, "aFileName", "C:\\pics\\a rather long name.jpg"));
  ASSERT_TRUE(store_.Write(kApp, kMarker, "aFileName", "C:\\b.jpg"));
  // On disk at once, the longer old text blanked out...
  EXPECT_THAT(MarkerFile(folder_),
              testing::StartsWith("[" + std::string(kMarker) + "]\naFileName=C:\\b.jpg\n\n"));
  EXPECT_THAT(MarkerFile(folder_), Not(HasSubstr("long")));
  // ...but no crash while its writer lives: another start reads it clean,
  // cannot arm it, and its clearing leaves the living run's record alone.
  EXPECT_EQ(other.Read(kApp, kMarker, "aFileName", "1"), "");
  EXPECT_FALSE(other.Write(kApp, kMarker, "aFileName", "C:\\other.jpg"));
  EXPECT_TRUE(other.Write(kApp, kMarker, "aFileName", ""));
  EXPECT_EQ(store_.Read(kApp, kMarker, "aFileName", "1"), "C:\\b.jpg");

  // Cleared by its writer, the file is trimmed to its text and free again.
  ASSERT_TRUE(store_.Write(kApp, kMarker, "aFileName", ""));
  EXPECT_EQ(MarkerFile(folder_), "[" + std::string(kMarker) + "]\naFileName=\n");
  EXPECT_TRUE(other.Write(kApp, kMarker, "aFileName", "C:\\other.jpg"));
  EXPECT_EQ(store_.Read(kApp, kMarker, "aFileName", "1"), "");
}

TEST_F(IniSettingsStoreTest, AMarkerLongerThanItsMappingIsKeptWhole) {
  const std::string deep = "C:\\" + std::string(40000, 'x') + "\\a.jpg";
  ASSERT_TRUE(store_.Write(kApp, kMarker, "aFileName", "C:\\short.jpg"));
  ASSERT_TRUE(store_.Write(kApp, kMarker, "aFileName", deep));
  ASSERT_TRUE(store_.Write(kApp, kMarker, "aFileName", "C:\\next.jpg"));
  ASSERT_TRUE(store_.Write(kApp, kMarker, "aFileName", deep));
  EXPECT_EQ(store_.Read(kApp, kMarker, "aFileName", "1"), deep);
}

// The marker outlives a process killed after it was armed; a process
// killed while it was being written leaves it clean, never half a path.
TEST_F(IniSettingsStoreTest, TheMarkerOutlivesAKilledProcess) {
  ASSERT_TRUE(store_.Write(kApp, kMarker, "aFileName", "C:\\first.jpg"));
  ASSERT_TRUE(store_.Write(kApp, kMarker, "aFileName", ""));
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    IniSettingsStore dying(folder_.Host("config"));
    dying.Write(kApp, kMarker, "aFileName", "C:\\crashes\\here.jpg");
    raise(SIGKILL);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(IniSettingsStore(folder_.Host("config")).Read(kApp, kMarker, "aFileName", "1"),
            "C:\\crashes\\here.jpg");

  std::string torn = MarkerFile(folder_);
  torn[0] = '\0';  // as a copy cut short leaves it
  folder_.Put("config/Zorbelle/" + std::string(kMarker) + ".ini", torn);
  EXPECT_EQ(IniSettingsStore(folder_.Host("config")).Read(kApp, kMarker, "aFileName", "1"), "1");
}

TEST_F(IniSettingsStoreTest, ALinkInPlaceOfTheMarkerIsNotWrittenThrough) {
  folder_.MakeFolder("config/Zorbelle");
  folder_.Put("target.txt", "keep");
  std::filesystem::create_symlink(folder_.Host("target.txt"),
                                  folder_.Host("config/Zorbelle/" + std::string(kMarker) + ".ini"));
  EXPECT_FALSE(store_.Write(kApp, kMarker, "aFileName", "C:\\a.jpg"));
  EXPECT_EQ(folder_.Contents("target.txt"), "keep");
}

}  // namespace
}  // namespace zb
