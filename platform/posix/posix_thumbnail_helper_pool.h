#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "thumbnail/thumbnail_helper_pool.h"

namespace zb {

// Helper processes (the helper program started with kThumbnailHelperArgument)
// that make thumbnail bytes, each driven by one thread of ours. The threads
// get host paths and hand back bytes; they touch nothing else. A helper
// that dies or hangs costs only the picture it was on, and is replaced.
class PosixThumbnailHelperPool : public ThumbnailHelperPool {
 public:
  // No picture takes a helper this long; one that does is taken for hung.
  static constexpr std::chrono::milliseconds kAnswerTimeout{120 * 1000};

  PosixThumbnailHelperPool(std::string program, unsigned count,
                           std::chrono::milliseconds answerTimeout = kAnswerTimeout);
  // Abandons every job and ends the helpers and the threads.
  ~PosixThumbnailHelperPool() override;
  PosixThumbnailHelperPool(const PosixThumbnailHelperPool&) = delete;
  PosixThumbnailHelperPool& operator=(const PosixThumbnailHelperPool&) = delete;

  void Post(std::string hostPath, int side, Done done) override;
  // Kills the helpers at work.
  void Abandon() override;
  // Waits moments, as helpers are killed.
  void Settle() override;

 private:
  struct Job {
    std::string hostPath;
    int side;
    Done done;
  };
  struct Helper {
    pid_t pid = -1;
    int socket = -1;
  };
  // One thread's job, shared with Abandon under mutex_. pid is set only
  // while the helper is certainly not yet reaped, so a kill cannot reach
  // another process that took its number.
  struct Slot {
    bool busy = false;
    bool abandoned = false;
    pid_t pid = -1;
    int socket = -1;
  };

  void Serve(Slot& slot);
  std::pair<Outcome, std::vector<std::uint8_t>> Ask(Helper& helper, const Job& job, Slot& slot);
  std::optional<std::vector<std::uint8_t>> Exchange(const Helper& helper, const Job& job) const;
  bool Start(Helper& helper);
  static void Stop(Helper& helper);

  const std::string program_;
  const unsigned count_;
  const std::chrono::milliseconds answerTimeout_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> queue_;
  std::vector<Slot> slots_;
  unsigned running_ = 0;
  bool ending_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace zb
