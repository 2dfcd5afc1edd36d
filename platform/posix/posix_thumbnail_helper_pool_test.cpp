#include "platform/posix/posix_thumbnail_helper_pool.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <future>

#include "platform/posix/testing/test_folder.h"
#include "platform/posix/thumbnail_helper_limits.h"

namespace zb {
namespace {

using namespace std::chrono_literals;
using Outcome = PosixThumbnailHelperPool::Outcome;

// Helpers that misbehave. Each notes its process ID, and notes "finished"
// only if it was left to end by itself instead of being killed.
struct BadHelpers : testing::Test {
  std::string Helper(const std::string& name, const std::string& body) {
    const std::string script =
        folder.Put(name, "#!/bin/sh\necho $$ > " + folder.Host(name + ".pid") + "\n" + body +
                             "\nsleep 5\n" + "touch " + folder.Host(name + ".finished") + "\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    return script;
  }
  bool Killed(const std::string& name) {
    const pid_t pid = std::stoi(folder.Contents(name + ".pid"));
    return !std::filesystem::exists(folder.Host(name + ".finished")) && kill(pid, 0) != 0;
  }
  TestFolder folder;
};

std::future<Outcome> Post(PosixThumbnailHelperPool& workers) {
  auto done = std::make_shared<std::promise<Outcome>>();
  workers.Post("/nowhere.jpg", 240,
               [done](Outcome outcome, std::vector<std::uint8_t>) { done->set_value(outcome); });
  return done->get_future();
}

TEST_F(BadHelpers, OneThatNeverAnswersOrStopsHalfWayIsKilledAtTheTimeout) {
  for (const auto& [name, body] : {std::pair<std::string, std::string>{"silent", ""},
                                   {"halfway", "printf '\\020\\0\\0\\0abc'"}}) {
    PosixThumbnailHelperPool workers(Helper(name, body), 1, 200ms);
    EXPECT_EQ(Post(workers).get(), Outcome::kRefused) << name;
    EXPECT_TRUE(Killed(name)) << name;
  }
}

// An answer longer than any thumbnail is nonsense: refused before any of it
// is taken in, even where memory is short.
TEST_F(BadHelpers, AnOversizedAnswerIsRefusedUnread) {
  const std::string helper = Helper("oversized", "printf '\\377\\377\\377\\377'");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit memory{std::uint64_t{1} << 30, std::uint64_t{1} << 30};
    if (kHelperAddressSpaceBounded) setrlimit(RLIMIT_AS, &memory);
    PosixThumbnailHelperPool workers(helper, 1, 60s);
    _exit(Post(workers).get() == Outcome::kRefused ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_TRUE(Killed("oversized"));
}

// Abandoning answers at once what waits and what a helper is on, without
// waiting for a helper's timeout; nothing of it counts as the picture's fault.
TEST_F(BadHelpers, AbandonAnswersEveryJobAtOnceAndKillsTheHelpersAtWork) {
  PosixThumbnailHelperPool workers(Helper("slow", ""), 1);
  std::vector<std::future<Outcome>> outcomes;
  for (int i = 0; i < 3; ++i) outcomes.push_back(Post(workers));
  for (int i = 0; i < 3000 && !std::filesystem::exists(folder.Host("slow.pid")); ++i) {
    std::this_thread::sleep_for(10ms);
  }
  workers.Abandon();
  for (auto& outcome : outcomes) EXPECT_EQ(outcome.get(), Outcome::kUnanswered);
  workers.Settle();
  EXPECT_TRUE(Killed("slow"));
}

}  // namespace
}  // namespace zb
