#include "walk_ahead/wake_signal.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace zb {
namespace {

// A wake lost between a waiter's check and its sleep would hang these.
TEST(WakeSignal, TwoThreadsTakingTurnsNeverMissAWake) {
  std::mutex mutex;
  WakeSignal signal;
  int turn = 0;
  constexpr int kRounds = 20000;
  const auto play = [&](int parity) {
    for (int i = 0; i < kRounds; ++i) {
      std::unique_lock lock(mutex);
      signal.Wait(lock, [&] { return turn % 2 == parity; });
      ++turn;
      lock.unlock();
      signal.NotifyAll();
    }
  };
  std::thread other(play, 1);
  play(0);
  other.join();
  EXPECT_EQ(turn, 2 * kRounds);
}

TEST(WakeSignal, EachNotifyOneLetsOneOfManyWaitersOn) {
  std::mutex mutex;
  WakeSignal signal;
  int tokens = 0;
  int taken = 0;
  constexpr int kWaiters = 8;
  constexpr int kTokensEach = 500;
  std::vector<std::thread> waiters;
  waiters.reserve(kWaiters);
  for (int w = 0; w < kWaiters; ++w) {
    waiters.emplace_back([&] {
      for (int i = 0; i < kTokensEach; ++i) {
        std::unique_lock lock(mutex);
        signal.Wait(lock, [&] { return tokens > 0; });
        --tokens;
        ++taken;
      }
    });
  }
  for (int i = 0; i < kWaiters * kTokensEach; ++i) {
    {
      std::lock_guard lock(mutex);
      ++tokens;
    }
    signal.NotifyOne();
  }
  for (std::thread& waiter : waiters) waiter.join();
  EXPECT_EQ(taken, kWaiters * kTokensEach);
  EXPECT_EQ(tokens, 0);
}

}  // namespace
}  // namespace zb
