#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/cli_options.h"
#include "cli/cli_process_for_test.h"
#include "platform/posix/ini_crash_marker_store.h"
#include "platform/posix/ini_settings_store.h"
#include "platform/posix/testing/test_folder.h"
#include "settings/crash_marker.h"

namespace zb {
namespace {

using testing::HasSubstr;
using testing::Not;

class CliHygiene : public testing::Test {
 protected:
  ProcessResult Run(const std::vector<std::string>& args) { return RunCli(args, env_); }

  TestFolder folder_;
  std::vector<std::string> env_{"ZORBELLE_DRIVES=c=" + folder_.path(),
                                "XDG_CONFIG_HOME=" + folder_.Host("cfg")};
};

TEST(DecimalNumber, DigitsOnlyAndLeadingZerosAreDecimal) {
  EXPECT_EQ(DecimalNumber("010"), 10);
  EXPECT_EQ(DecimalNumber("1000"), 1000);
  for (const char* refused :
       {"", "0x10", "0X10", "1e3", "-5", "+5", " 5", "5 ", "0b1", "99999999999"}) {
    EXPECT_EQ(DecimalNumber(refused), std::nullopt) << refused;
  }
}

TEST_F(CliHygiene, AnEmptyFolderOrANonDecimalNumberIsAUsageError) {
  const ProcessResult empty = Run({""});
  EXPECT_EQ(empty.exitCode, 2);
  EXPECT_THAT(empty.err, HasSubstr("FOLDER is empty"));
  EXPECT_FALSE(std::filesystem::exists("_gazlist.htm"));

  folder_.MakeFolder("pics");
  for (const char* number : {"0x10", "1e1", "-5", "0"}) {
    const ProcessResult refused = Run({"--per-page", number, folder_.Host("pics")});
    EXPECT_EQ(refused.exitCode, 2) << number;
    EXPECT_THAT(refused.err, HasSubstr("not a decimal number from 1-1000")) << number;
  }
  EXPECT_FALSE(std::filesystem::exists(folder_.Host("pics/_gazlist.htm")));

  // "010" is ten: 25 pictures make three page pairs, not four.
  for (int i = 0; i < 25; ++i) folder_.Put("pics/" + std::to_string(i) + ".gif", "GIF89a");
  const ProcessResult ten = Run({"--per-page", "010", folder_.Host("pics")});
  EXPECT_EQ(ten.exitCode, 0) << ten.err;
  EXPECT_TRUE(std::filesystem::exists(folder_.Host("pics/_gaz0002.htm")));
  EXPECT_FALSE(std::filesystem::exists(folder_.Host("pics/_gaz0003.htm")));
}

TEST_F(CliHygiene, AFolderThatCannotBeSearchedIsToldApartByWhy) {
  folder_.Put("a.txt", "text");
  folder_.MakeFolder("back\\slash");
  const auto why = [this](const std::string& folder) {
    const ProcessResult result = Run({folder});
    EXPECT_EQ(result.exitCode, 2) << folder;
    return result.err;
  };
  EXPECT_THAT(why(folder_.Host("a.txt")), HasSubstr("a.txt: a file, not a folder"));
  EXPECT_THAT(why("C:\\a.txt"), HasSubstr("a file, not a folder"));
  EXPECT_THAT(why(folder_.Host("missing")), HasSubstr("missing: no such folder"));
  EXPECT_THAT(why("C:\\missing"), HasSubstr("no such folder"));
  EXPECT_THAT(why("/"), HasSubstr("/: outside every drive"));
  EXPECT_THAT(why(folder_.Host("back\\slash")), HasSubstr("holds '\\'"));
  EXPECT_THAT(why(folder_.Host("new\x1b[2Kline")), HasSubstr("new\\x1B[2Kline: no such folder"));
}

TEST_F(CliHygiene, HelpShowsTheSavedOptionsAndChangesNothing) {
  const ProcessResult first = Run({"--help"});
  EXPECT_EQ(first.exitCode, 0);
  EXPECT_THAT(first.out, HasSubstr("Options not given keep their saved values"));
  EXPECT_THAT(first.out, HasSubstr("--gallery --bmp --no-line-break"));
  EXPECT_THAT(first.out, HasSubstr("--same-folder"));
  EXPECT_THAT(first.out, HasSubstr("--per-page 100"));

  IniSettingsStore settings(folder_.Host("cfg"));
  settings.Write("Zorbelle", "CheckBox Value", "chkSameDir", "0");
  settings.Write("Zorbelle", "CheckBox Value", "hscGazoSuu", "42");
  IniCrashMarkerStore(folder_.Host("cfg")).Write("Zorbelle", "C:\\a.jpg");
  const ProcessResult saved = Run({"--help"});
  EXPECT_THAT(saved.out, HasSubstr("--no-same-folder"));
  EXPECT_THAT(saved.out, HasSubstr("--per-page 42"));
  EXPECT_THAT(saved.out, Not(HasSubstr("前回の処理")));
  EXPECT_EQ(IniCrashMarkerStore(folder_.Host("cfg")).Read("Zorbelle", ""), "C:\\a.jpg");
}

}  // namespace
}  // namespace zb
