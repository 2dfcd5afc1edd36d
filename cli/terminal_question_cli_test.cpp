#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/pty_process_for_test.h"
#include "platform/posix/ini_crash_marker_store.h"
#include "platform/posix/testing/test_folder.h"
#include "settings/crash_marker.h"

namespace zb {
namespace {

using testing::HasSubstr;
using testing::Not;

// Questions asked of a person on a terminal.
class TerminalQuestion : public testing::Test {
 protected:
  TerminalQuestion() {
    folder_.MakeFolder("empty");
    folder_.Put(kHostName, "a picture");
    // Armed by a run that is gone.
    IniCrashMarkerStore(folder_.Host("cfg")).Write("Zorbelle", "C:\\" + std::string(kHostName));
  }
  std::unique_ptr<PtyProcess> Start(const std::string& folder) {
    return std::make_unique<PtyProcess>(std::vector<std::string>{folder_.Host(folder)}, env_);
  }
  bool Kept() const { return std::filesystem::exists(folder_.Host(kHostName)); }
  std::string Marker() { return IniCrashMarkerStore(folder_.Host("cfg")).Read("Zorbelle", ""); }

  // A name that would erase its own line and put a harmless one in its place.
  static constexpr const char* kHostName = "evil\x1b[2K\rharmless.jpg";
  TestFolder folder_;
  std::vector<std::string> env_{"ZORBELLE_DRIVES=c=" + folder_.path(),
                                "XDG_CONFIG_HOME=" + folder_.Host("cfg")};
};

TEST_F(TerminalQuestion, NamesAreShownEscapedAndAnOverlongAnswerIsNoAnswer) {
  auto cli = Start("empty");
  ASSERT_TRUE(cli->WaitFor("[y/N]")) << cli->seen();
  EXPECT_THAT(cli->seen(), HasSubstr("C:\\evil\\x1B[2K\\x0Dharmless.jpg"));
  EXPECT_THAT(cli->seen(), Not(HasSubstr("\x1b[2K")));
  // Once a short buffer's worth of "y" answered this and the next question.
  cli->Type(std::string(300, 'y') + "\n");
  ASSERT_TRUE(cli->WaitFor("[y/N]")) << "asked again";
  cli->Type("\n");
  EXPECT_EQ(cli->Finish(), 0) << cli->seen();
  EXPECT_THAT(cli->seen(), HasSubstr("-> no"));
  EXPECT_TRUE(Kept());
  EXPECT_EQ(Marker(), "");
}

TEST_F(TerminalQuestion, OnlyAWholeYesOrNoIsAnAnswerAndEndOfInputIsNo) {
  auto cli = Start("empty");
  ASSERT_TRUE(cli->WaitFor("[y/N]")) << cli->seen();
  for (const char* unclear : {"yeah\n", "yes please\n", "y n\n", "Y\tN\n", "nope\n"}) {
    cli->Type(unclear);
    ASSERT_TRUE(cli->WaitFor("[y/N]")) << "not asked again after " << unclear << cli->seen();
  }
  cli->Type("\x04");  // end of input takes the default
  EXPECT_EQ(cli->Finish(), 0) << cli->seen();
  EXPECT_THAT(cli->seen(), HasSubstr("-> no"));
  EXPECT_TRUE(Kept());
}

TEST_F(TerminalQuestion, AWholeLineYesIsAYes) {
  auto cli = Start("empty");
  ASSERT_TRUE(cli->WaitFor("[y/N]"));
  cli->Type(" Yes \n");
  EXPECT_EQ(cli->Finish(), 0) << cli->seen();
  EXPECT_FALSE(Kept());
}

TEST_F(TerminalQuestion, CtrlCAtAQuestionTakesTheDefaultAndStopsInOrder) {
  // At start-up: the program ends before any run.
  auto atStart = Start("empty");
  ASSERT_TRUE(atStart->WaitFor("[y/N]"));
  atStart->Type("\x03");
  EXPECT_EQ(atStart->Finish(), 130) << atStart->seen();
  EXPECT_TRUE(Kept());
  EXPECT_FALSE(std::filesystem::exists(folder_.Host("empty/_gazlist.htm")));

  // During a run: the odd file is kept and the run ends with its list page.
  folder_.Put("run/odd;name.txt", "keep me");
  // A folder's own files come before its sub-folders: the run still has work left.
  for (int i = 0; i < 3; ++i) folder_.Put("run/sub/" + std::to_string(i) + ".gif", "GIF89a");
  auto midRun = std::make_unique<PtyProcess>(
      std::vector<std::string>{"--delete-odd-files", folder_.Host("run")}, env_);
  ASSERT_TRUE(midRun->WaitFor("[y/N]")) << midRun->seen();
  midRun->Type("\x03");
  EXPECT_EQ(midRun->Finish(), 130) << midRun->seen();
  EXPECT_TRUE(std::filesystem::exists(folder_.Host("run/odd;name.txt")));
  EXPECT_TRUE(std::filesystem::exists(folder_.Host("run/_gazlist.htm")));
  EXPECT_EQ(Marker(), "");
}

// A stop heard at the last file's question is a stop all the same.
TEST_F(TerminalQuestion, SigtermAtTheLastFilesQuestionTakesTheDefaultAndStops) {
  IniCrashMarkerStore(folder_.Host("cfg")).Write("Zorbelle", "");
  folder_.Put("last/odd;name.txt", "keep me");
  auto cli = std::make_unique<PtyProcess>(
      std::vector<std::string>{"--delete-odd-files", folder_.Host("last")}, env_);
  ASSERT_TRUE(cli->WaitFor("[y/N]")) << cli->seen();
  kill(cli->pid(), SIGTERM);
  EXPECT_EQ(cli->Finish(), 130) << cli->seen();
  EXPECT_TRUE(std::filesystem::exists(folder_.Host("last/odd;name.txt")));
  EXPECT_TRUE(std::filesystem::exists(folder_.Host("last/_gazlist.htm")));
}

}  // namespace
}  // namespace zb
