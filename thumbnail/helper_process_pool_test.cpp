#include "thumbnail/helper_process_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <thread>

namespace zb {
namespace {

using namespace std::chrono_literals;
using Outcome = ThumbnailHelperPool::Outcome;
using Answer = std::pair<Outcome, std::vector<std::uint8_t>>;

// What the fake helpers did, and what they do: each answers a request by
// its path. "made" gets the helper's number, "none" an empty answer,
// "nonsense" no answer; "hang" waits until the helper is killed.
struct Helpers {
  std::mutex mutex;
  std::condition_variable changed;
  bool startFails = false;
  bool holdStart = false;  // Start waits until this is false again
  int starts = 0;
  int exchanges = 0;
  int kills = 0;
  int ended = 0;
  std::chrono::milliseconds patience{};

  void Await(const std::function<bool()>& done) {
    std::unique_lock lock(mutex);
    changed.wait(lock, done);
  }
  void Set(const std::function<void()>& change) {
    std::lock_guard lock(mutex);
    change();
    changed.notify_all();
  }
};

class FakeHelper : public ThumbnailHelperProcess {
 public:
  FakeHelper(Helpers& helpers, int number) : helpers_(helpers), number_(number) {}
  ~FakeHelper() override {
    helpers_.Set([&] { ++helpers_.ended; });
  }
  std::optional<std::vector<std::uint8_t>> Exchange(const ThumbnailRequest& request,
                                                    std::chrono::milliseconds patience) override {
    std::unique_lock lock(helpers_.mutex);
    ++helpers_.exchanges;
    helpers_.patience = patience;
    helpers_.changed.notify_all();
    if (request.hostPath == "hang") helpers_.changed.wait(lock, [&] { return killed_; });
    if (killed_ || request.hostPath == "nonsense") return std::nullopt;
    if (request.hostPath == "none") return std::vector<std::uint8_t>{};
    return std::vector<std::uint8_t>{static_cast<std::uint8_t>(number_)};
  }
  void Kill() override {
    helpers_.Set([&] {
      killed_ = true;
      ++helpers_.kills;
    });
  }

 private:
  Helpers& helpers_;
  const int number_;
  bool killed_ = false;  // under helpers_.mutex
};

class FakeLauncher : public ThumbnailHelperLauncher {
 public:
  explicit FakeLauncher(Helpers& helpers) : helpers_(helpers) {}
  std::unique_ptr<ThumbnailHelperProcess> Start() override {
    std::unique_lock lock(helpers_.mutex);
    const int number = ++helpers_.starts;
    helpers_.changed.notify_all();
    helpers_.changed.wait(lock, [&] { return !helpers_.holdStart; });
    if (helpers_.startFails) return nullptr;
    return std::make_unique<FakeHelper>(helpers_, number);
  }

 private:
  Helpers& helpers_;
};

std::future<Answer> Post(ThumbnailHelperPool& pool, const std::string& path) {
  auto done = std::make_shared<std::promise<Answer>>();
  pool.Post(path, 240, [done](Outcome outcome, std::vector<std::uint8_t> bytes) {
    done->set_value({outcome, std::move(bytes)});
  });
  return done->get_future();
}

// Fails the whole test program rather than let a wait that never ends hang it.
void WithinSeconds(int seconds, const std::function<void()>& step) {
  auto done = std::async(std::launch::async, step);
  if (done.wait_for(std::chrono::seconds(seconds)) == std::future_status::timeout) {
    std::fprintf(stderr, "still waiting after %d s\n", seconds);
    std::_Exit(1);
  }
}

struct HelperProcessPoolTest : testing::Test {
  Helpers helpers;
  HelperProcessPool pool{std::make_unique<FakeLauncher>(helpers), 1, 7s};
};

// Helpers start with the first picture that needs one.
TEST_F(HelperProcessPoolTest, AHelperGoesOnAfterARefusalAndIsReplacedAfterNonsense) {
  EXPECT_EQ(helpers.starts, 0);
  EXPECT_EQ(Post(pool, "made").get(), Answer(Outcome::kMade, {1}));
  EXPECT_EQ(Post(pool, "none").get(), Answer(Outcome::kRefused, {}));
  EXPECT_EQ(Post(pool, "made").get(), Answer(Outcome::kMade, {1}));
  EXPECT_EQ(helpers.kills, 0);
  EXPECT_EQ(Post(pool, "nonsense").get(), Answer(Outcome::kRefused, {}));
  EXPECT_EQ(helpers.kills, 1);
  EXPECT_EQ(helpers.ended, 1);
  EXPECT_EQ(Post(pool, "made").get(), Answer(Outcome::kMade, {2}));
  EXPECT_EQ(helpers.patience, 7s);
}

TEST_F(HelperProcessPoolTest, WithoutAHelperNothingIsAnsweredAndEachJobTriesAgain) {
  helpers.startFails = true;
  EXPECT_EQ(Post(pool, "made").get().first, Outcome::kUnanswered);
  EXPECT_EQ(Post(pool, "made").get().first, Outcome::kUnanswered);
  EXPECT_EQ(helpers.starts, 2);
  helpers.Set([&] { helpers.startFails = false; });
  EXPECT_EQ(Post(pool, "made").get(), Answer(Outcome::kMade, {3}));
}

// Abandoning answers at once what waits and what a helper is on; nothing
// of it counts as the picture's fault.
TEST_F(HelperProcessPoolTest, AbandonAnswersEveryJobAtOnceAndKillsTheHelperAtWork) {
  std::vector<std::future<Answer>> answers;
  for (int i = 0; i < 3; ++i) answers.push_back(Post(pool, "hang"));
  helpers.Await([&] { return helpers.exchanges == 1; });
  pool.Abandon();
  for (auto& answer : answers) EXPECT_EQ(answer.get().first, Outcome::kUnanswered);
  EXPECT_EQ(helpers.ended, 1);
  EXPECT_EQ(helpers.exchanges, 1);
  EXPECT_EQ(Post(pool, "made").get(), Answer(Outcome::kMade, {2}));
}

// Abandoned while its helper starts: the picture is not asked for.
TEST_F(HelperProcessPoolTest, AJobAbandonedAsItsHelperStartsIsNotAsked) {
  helpers.holdStart = true;
  auto answer = Post(pool, "made");
  helpers.Await([&] { return helpers.starts == 1; });
  pool.Abandon();
  helpers.Set([&] { helpers.holdStart = false; });
  EXPECT_EQ(answer.get().first, Outcome::kUnanswered);
  EXPECT_EQ(helpers.exchanges, 0);
  EXPECT_EQ(helpers.kills, 1);
}

TEST_F(HelperProcessPoolTest, SettleWaitsUntilTheJobAtWorkIsAnswered) {
  std::atomic<bool> answered = false;
  pool.Post("hang", 240, [&](Outcome outcome, std::vector<std::uint8_t>) {
    EXPECT_EQ(outcome, Outcome::kUnanswered);
    // Long enough for Settle to be waiting.
    std::this_thread::sleep_for(100ms);
    answered = true;
  });
  helpers.Await([&] { return helpers.exchanges == 1; });
  WithinSeconds(10, [&] { pool.Settle(); });
  EXPECT_TRUE(answered);
}

}  // namespace
}  // namespace zb
