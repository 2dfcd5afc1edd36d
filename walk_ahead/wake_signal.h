#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace zb {

// A condition variable whose notify never blocks where the library waits on
// a futex. glibc's pthread_cond_signal may wait until waiters woken earlier
// have run, and on two busy cores that held the notifying walk up for
// milliseconds.
class WakeSignal {
 public:
  // Sleeps with the lock released until done() holds; the lock guards what
  // done() reads, and notifiers change it under the lock before notifying.
  template <typename Done>
  void Wait(std::unique_lock<std::mutex>& lock, Done done) {
    while (!done()) {
      const std::uint32_t seen = rounds_.load(std::memory_order_relaxed);
      lock.unlock();
      Sleep(seen);
      lock.lock();
    }
  }

  void NotifyOne() {
    rounds_.fetch_add(1, std::memory_order_release);
    Wake(false);
  }

  void NotifyAll() {
    rounds_.fetch_add(1, std::memory_order_release);
    Wake(true);
  }

 private:
#ifdef _GLIBCXX_HAVE_PLATFORM_WAIT
  // libstdc++ waits on the futex itself.
  void Sleep(std::uint32_t seen) { rounds_.wait(seen, std::memory_order_acquire); }
  void Wake(bool all) { all ? rounds_.notify_all() : rounds_.notify_one(); }
#else
  // Without a futex, libstdc++ 12's atomic wait loses wakes: its waiter sleeps
  // on a condition variable that the notifier signals without taking the
  // waiter's lock (it hung on Windows). Taking the lock between the change
  // and the signal means a sleeper is either asleep or sees the change.
  void Sleep(std::uint32_t seen) {
    std::unique_lock hold(sleepers_);
    woken_.wait(hold, [&] { return rounds_.load(std::memory_order_acquire) != seen; });
  }
  void Wake(bool all) {
    { std::lock_guard hold(sleepers_); }
    all ? woken_.notify_all() : woken_.notify_one();
  }

  std::mutex sleepers_;
  std::condition_variable woken_;
#endif
  std::atomic<std::uint32_t> rounds_{0};
};

}  // namespace zb
