#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "cli/cli_process_for_test.h"
#include "platform/posix/ini_settings_store.h"
#include "platform/posix/test_folder.h"
#include "settings/crash_marker.h"

namespace zb {
namespace {

using testing::HasSubstr;
using testing::Not;

constexpr const char* kQuestion =
    "前回の処理が異常終了しています。\nこのファイルに異常がある可能性があります。\n削除しますか。";

TEST(CrashMarkerCli, APictureARunDiedOnIsOfferedAtTheNextStartOnly) {
  TestFolder folder;
  // Enough pictures that the run is still loading them some seconds on.
  const std::string picture = folder.Host("picture.jpg");
  std::filesystem::copy_file(ZORBELLE_SOURCE_DIR "/samples/pictures/夕焼け.jpg", picture);
  for (int d = 0; d < 200; ++d) {
    const std::string sub = folder.MakeFolder("tree/d" + std::to_string(d));
    for (int p = 0; p < 200; ++p) {
      std::filesystem::create_hard_link(picture, sub + "/p" + std::to_string(p) + ".jpg");
    }
  }
  folder.MakeFolder("empty");
  const std::vector<std::string> env{"ZORBELLE_DRIVES=c=" + folder.path() + ";z=/",
                                     "XDG_CONFIG_HOME=" + folder.Host("cfg")};
  IniSettingsStore settings(folder.Host("cfg"));
  const auto marker = [&settings] {
    return settings.Read("Zorbelle", kCrashMarkerSection, kCrashMarkerKey, "");
  };

  CliProcess run({folder.Host("tree")}, env);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (marker().empty() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  kill(run.pid(), SIGKILL);
  ASSERT_EQ(run.Finish().exitCode, 128 + SIGKILL);
  const std::string crashed = marker();
  ASSERT_THAT(crashed, testing::MatchesRegex(R"(C:\\tree\\d[0-9]+\\p[0-9]+\.jpg)"));
  std::string host = folder.path() + "/" + crashed.substr(3);
  std::replace(host.begin(), host.end(), '\\', '/');
  ASSERT_TRUE(std::filesystem::is_regular_file(host));

  // No one at the terminal to ask: the default answer, No.
  const ProcessResult next = RunCli({folder.Host("empty")}, env);
  EXPECT_EQ(next.exitCode, 0) << next.err;
  EXPECT_THAT(next.err, HasSubstr(kQuestion + crashed + "\n-> no"));
  EXPECT_TRUE(std::filesystem::is_regular_file(host));
  EXPECT_EQ(marker(), "");

  const ProcessResult quiet = RunCli({folder.Host("empty")}, env);
  EXPECT_EQ(quiet.exitCode, 0) << quiet.err;
  EXPECT_THAT(quiet.err, Not(HasSubstr("前回の処理が異常終了しています。")));
}

}  // namespace
}  // namespace zb
