#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

namespace zb {

// A condition variable whose notify never blocks. glibc's pthread_cond_signal
// may wait until waiters woken earlier have run, and on two busy cores that
// held the notifying walk up for milliseconds.
class WakeSignal {
 public:
  // Sleeps with the lock released until done() holds; the lock guards what
  // done() reads, and notifiers change it under the lock before notifying.
  template <typename Done>
  void Wait(std::unique_lock<std::mutex>& lock, Done done) {
    while (!done()) {
      const std::uint32_t seen = rounds_.load(std::memory_order_relaxed);
      lock.unlock();
      rounds_.wait(seen, std::memory_order_acquire);
      lock.lock();
    }
  }

  void NotifyOne() {
    rounds_.fetch_add(1, std::memory_order_release);
    rounds_.notify_one();
  }

  void NotifyAll() {
    rounds_.fetch_add(1, std::memory_order_release);
    rounds_.notify_all();
  }

 private:
  std::atomic<std::uint32_t> rounds_{0};
};

}  // namespace zb
