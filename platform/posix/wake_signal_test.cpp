#include "walk_ahead/wake_signal.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace zb {
namespace {

// Threads pass one turn round a ring, each waking all and waiting for its
// own turn; a wake lost between a waiter's check and its sleep leaves every
// thread asleep. Yields with the lock held pile the others onto it, so that
// each release hands it over at once, inside that gap. Played in a child
// process: a hang ends as a failure once the turns stop moving for stall.
TEST(WakeSignal, ARingOfThreadsPassingOneTurnNeverStops) {
  constexpr int kThreads = 6;
  constexpr long kTurns = 10000;
  constexpr auto kStall = std::chrono::seconds(15);
  auto* turns = static_cast<std::atomic<long>*>(mmap(nullptr, sizeof(std::atomic<long>),
                                                     PROT_READ | PROT_WRITE,
                                                     MAP_SHARED | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(turns, MAP_FAILED);
  new (turns) std::atomic<long>(0);
  const pid_t ring = fork();
  ASSERT_GE(ring, 0);
  if (ring == 0) {
    std::mutex mutex;
    WakeSignal signal;
    long turn = 0;
    std::vector<std::thread> players;
    players.reserve(kThreads);
    for (int me = 0; me < kThreads; ++me) {
      players.emplace_back([&, me] {
        for (;;) {
          std::unique_lock lock(mutex);
          signal.Wait(lock, [&] {
            std::this_thread::yield();
            return turn >= kTurns || turn % kThreads == me;
          });
          if (turn >= kTurns) break;
          turns->store(++turn, std::memory_order_relaxed);
          lock.unlock();
          signal.NotifyAll();
        }
        signal.NotifyAll();
      });
    }
    for (std::thread& player : players) player.join();
    _exit(turn == kTurns ? 0 : 1);
  }
  int status = 0;
  long last = -1;
  auto moved = std::chrono::steady_clock::now();
  while (waitpid(ring, &status, WNOHANG) == 0) {
    const long now = turns->load(std::memory_order_relaxed);
    if (now != last) {
      last = now;
      moved = std::chrono::steady_clock::now();
    } else if (std::chrono::steady_clock::now() - moved > kStall) {
      kill(ring, SIGKILL);
      waitpid(ring, &status, 0);
      ADD_FAILURE() << "the ring stopped at turn " << now << " of " << kTurns;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  munmap(turns, sizeof(std::atomic<long>));
}

}  // namespace
}  // namespace zb
