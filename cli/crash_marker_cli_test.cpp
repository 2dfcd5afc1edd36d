#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "cli/cli_process_for_test.h"
#include "platform/posix/ini_crash_marker_store.h"
#include "platform/posix/testing/test_folder.h"
#include "settings/crash_marker.h"

namespace zb {
namespace {

using testing::HasSubstr;
using testing::Not;

constexpr const char* kQuestion =
    "前回の処理が異常終了しています。\nこのファイルに異常がある可能性があります。\n削除しますか。";

// A tree big enough that a run is still measuring pictures seconds after it armed the marker.
class CrashMarkerCli : public testing::Test {
 protected:
  CrashMarkerCli() {
    const std::string picture = folder_.Host("picture.jpg");
    std::filesystem::copy_file(ZORBELLE_SOURCE_DIR "/samples/pictures/夕焼け.jpg", picture);
    for (int d = 0; d < 150; ++d) {
      const std::string sub = folder_.MakeFolder("tree/d" + std::to_string(d));
      for (int p = 0; p < 200; ++p) {
        std::filesystem::create_hard_link(picture, sub + "/p" + std::to_string(p) + ".jpg");
      }
    }
    folder_.MakeFolder("empty");
  }

  // The marker as a start reads it: clean while its run lives.
  std::string Marker() { return IniCrashMarkerStore(folder_.Host("cfg")).Read("Zorbelle", ""); }
  // The path the file holds now, whoever owns it; empty while none is armed.
  std::string ArmedPath() const {
    const std::string text =
        folder_.Contents("cfg/Zorbelle/" + std::string(kCrashMarkerSection) + ".ini");
    const std::size_t at = text.find("aFileName=C:");
    if (text.empty() || text[0] == '\0' || at == std::string::npos) return {};
    return text.substr(at + 10, text.find('\n', at) - at - 10);
  }
  // A run on the big tree, once it has armed the marker.
  std::unique_ptr<CliProcess> RunMidway() {
    auto run = std::make_unique<CliProcess>(std::vector<std::string>{folder_.Host("tree")}, env_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (ArmedPath().empty() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return run;
  }
  std::string HostOf(const std::string& drivePath) const {
    std::string host = folder_.path() + "/" + drivePath.substr(3);
    std::replace(host.begin(), host.end(), '\\', '/');
    return host;
  }
  ProcessResult Start(std::vector<std::string> options) {
    options.push_back(folder_.Host("empty"));
    return RunCli(options, env_);
  }

  TestFolder folder_;
  std::vector<std::string> env_ = CliEnvironment(folder_, "cfg");
};

TEST_F(CrashMarkerCli, TermHupAndIntEachEndTheRunInOrderWithTheMarkerClear) {
  for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
    std::filesystem::remove(folder_.Host("tree/_gazlist.htm"));
    auto run = RunMidway();
    ASSERT_FALSE(ArmedPath().empty());
    kill(run->pid(), signal);
    const ProcessResult stopped = run->Finish();
    EXPECT_EQ(stopped.exitCode, 130) << signal << stopped.err;
    EXPECT_THAT(stopped.err, HasSubstr("停止しました")) << signal;
    EXPECT_TRUE(std::filesystem::is_regular_file(folder_.Host("tree/_gazlist.htm"))) << signal;
    EXPECT_EQ(Marker(), "") << signal;
    EXPECT_EQ(ArmedPath(), "") << signal;
  }
  const ProcessResult next = Start({});
  EXPECT_EQ(next.exitCode, 0) << next.err;
  EXPECT_THAT(next.err, Not(HasSubstr(kQuestion)));
}

TEST_F(CrashMarkerCli, AKilledRunsPictureIsDeletedOnlyOnItsOwnOptionNeverOnYes) {
  auto killed = RunMidway();
  kill(killed->pid(), SIGKILL);
  ASSERT_EQ(killed->Finish().exitCode, 128 + SIGKILL);
  const std::string crashed = Marker();
  ASSERT_THAT(crashed, testing::MatchesRegex(R"(C:\\tree\\d[0-9]+\\p[0-9]+\.jpg)"));

  // No one at a terminal, and --yes is no person's Yes: the default, No.
  const ProcessResult yes = Start({"--yes"});
  EXPECT_EQ(yes.exitCode, 0) << yes.err;
  EXPECT_THAT(yes.err, HasSubstr(kQuestion + crashed + "\n-> no"));
  EXPECT_TRUE(std::filesystem::is_regular_file(HostOf(crashed)));
  EXPECT_EQ(Marker(), "");
  const ProcessResult quiet = Start({});
  EXPECT_THAT(quiet.err, Not(HasSubstr(kQuestion)));

  auto again = RunMidway();
  kill(again->pid(), SIGKILL);
  again->Finish();
  const std::string second = Marker();
  ASSERT_FALSE(second.empty());
  const ProcessResult named = Start({"--delete-crash-picture"});
  EXPECT_EQ(named.exitCode, 0) << named.err;
  EXPECT_THAT(named.err, HasSubstr(kQuestion + second + "\n-> yes"));
  EXPECT_FALSE(std::filesystem::exists(HostOf(second)));
  EXPECT_EQ(Marker(), "");
}

TEST_F(CrashMarkerCli, ALivingRunsMarkerIsNoCrashForASecondStart) {
  auto living = RunMidway();
  kill(living->pid(), SIGSTOP);  // alive, marker armed, going nowhere
  const std::string armed = ArmedPath();
  ASSERT_FALSE(armed.empty());

  const ProcessResult second = Start({"--delete-crash-picture"});
  EXPECT_EQ(second.exitCode, 0) << second.err;
  EXPECT_THAT(second.err, Not(HasSubstr(kQuestion)));
  EXPECT_TRUE(std::filesystem::is_regular_file(HostOf(armed)));
  EXPECT_EQ(ArmedPath(), armed) << "the second run neither cleared nor overwrote it";

  // Once that run dies where it stands, its picture is a suspect after all.
  kill(living->pid(), SIGKILL);
  living->Finish();
  const ProcessResult third = Start({});
  EXPECT_THAT(third.err, HasSubstr(kQuestion + armed + "\n-> no"));
}

}  // namespace
}  // namespace zb
