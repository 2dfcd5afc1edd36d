#include "platform/posix/posix_thumbnail_helper_process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <future>
#include <thread>

#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
const ThumbnailRequest kRequest{"/nowhere.jpg", 240};

// Helpers that misbehave. Each notes its process ID, and notes "finished"
// only if it was left to end by itself instead of being killed. Its sleep
// holds the socket as long as it runs.
struct BadHelpers : testing::Test {
  std::unique_ptr<ThumbnailHelperProcess> Start(const std::string& name, const std::string& body) {
    const std::string script =
        folder.Put(name, "#!/bin/sh\necho $$ > " + folder.Host(name + ".pid") + "\n" + body +
                             "\nsleep 5\n" + "touch " + folder.Host(name + ".finished") + "\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    return PosixThumbnailHelperLauncher(script).Start();
  }
  bool Killed(const std::string& name) {
    const pid_t pid = std::stoi(folder.Contents(name + ".pid"));
    return !std::filesystem::exists(folder.Host(name + ".finished")) && kill(pid, 0) != 0;
  }
  TestFolder folder;
};

TEST_F(BadHelpers, OneThatNeverAnswersOrStopsHalfWayIsGivenUpAtTheTimeoutAndKilled) {
  for (const auto& [name, body] : {std::pair<std::string, std::string>{"silent", ""},
                                   {"halfway", "printf '\\020\\0\\0\\0abc'"}}) {
    auto helper = Start(name, body);
    ASSERT_TRUE(helper) << name;
    const auto asked = Clock::now();
    EXPECT_EQ(helper->Exchange(kRequest, 200ms), std::nullopt) << name;
    EXPECT_LT(Clock::now() - asked, 3s) << name;
    helper->Kill();
    helper.reset();
    EXPECT_TRUE(Killed(name)) << name;
  }
}

// As Abandon does: the answer is no longer waited for, though what the
// helper started still holds the socket.
TEST_F(BadHelpers, AKillFromAnotherThreadEndsTheExchangeAtOnce) {
  auto helper = Start("slow", "");
  ASSERT_TRUE(helper);
  auto answer = std::async(std::launch::async, [&] { return helper->Exchange(kRequest, 60s); });
  for (int i = 0; i < 3000 && folder.Contents("slow.pid").empty(); ++i) {
    std::this_thread::sleep_for(10ms);
  }
  std::this_thread::sleep_for(200ms);  // for the answer to be waited for
  const auto killed = Clock::now();
  helper->Kill();
  EXPECT_EQ(answer.get(), std::nullopt);
  EXPECT_LT(Clock::now() - killed, 3s);
  helper.reset();
  EXPECT_TRUE(Killed("slow"));
}

}  // namespace
}  // namespace zb
