#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "thumbnail/helper_protocol.h"
#include "thumbnail/thumbnail_helper_pool.h"

namespace zb {

// One running helper program (started with kThumbnailHelperArgument).
// Destroying it ends its requests, waits for it to leave and only then lets
// the system take back its number or handle; kill it first if it may hang.
class ThumbnailHelperProcess {
 public:
  virtual ~ThumbnailHelperProcess() = default;
  // One request and its answer, waited for at most `patience`; empty when
  // the helper died, hung or spoke nonsense.
  virtual std::optional<std::vector<std::uint8_t>> Exchange(const ThumbnailRequest& request,
                                                            std::chrono::milliseconds patience) = 0;
  // Ends the helper at once and the Exchange under way with it. Safe from
  // another thread at any time until destruction: it neither reaps the
  // helper nor closes what names it.
  virtual void Kill() = 0;
};

class ThumbnailHelperLauncher {
 public:
  virtual ~ThumbnailHelperLauncher() = default;
  // A fresh helper; null when none can be started.
  virtual std::unique_ptr<ThumbnailHelperProcess> Start() = 0;
};

// Helper processes that make thumbnail bytes, each driven by one thread of
// ours. The threads get host paths and hand back bytes; they touch nothing
// else. A helper that dies or hangs costs only the picture it was on, and
// is replaced.
class HelperProcessPool : public ThumbnailHelperPool {
 public:
  // No picture takes a helper this long; one that does is taken for hung.
  static constexpr std::chrono::milliseconds kAnswerTimeout{120 * 1000};

  HelperProcessPool(std::unique_ptr<ThumbnailHelperLauncher> launcher, unsigned count,
                    std::chrono::milliseconds answerTimeout = kAnswerTimeout);
  // Abandons every job and ends the helpers and the threads.
  ~HelperProcessPool() override;
  HelperProcessPool(const HelperProcessPool&) = delete;
  HelperProcessPool& operator=(const HelperProcessPool&) = delete;

  void Post(std::string hostPath, int side, Done done) override;
  // Kills the helpers at work.
  void Abandon() override;
  // Waits moments, as helpers are killed.
  void Settle() override;

 private:
  struct Job {
    ThumbnailRequest request;
    Done done;
  };
  // One thread's job, shared with Abandon under mutex_. helper is set only
  // while its thread holds the helper and before that thread destroys it,
  // which it does only after clearing this under mutex_: Abandon's Kill
  // thus never reaches a helper that is reaped (whose number another
  // process may have taken) or whose handle is closed.
  struct Slot {
    bool busy = false;
    bool abandoned = false;
    ThumbnailHelperProcess* helper = nullptr;
  };
  using Answer = std::pair<Outcome, std::vector<std::uint8_t>>;

  void Serve(Slot& slot);
  Answer Ask(std::unique_ptr<ThumbnailHelperProcess>& helper, const Job& job, Slot& slot);

  const std::unique_ptr<ThumbnailHelperLauncher> launcher_;
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
