#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "thumbnail/thumbnail_helper_pool.h"

namespace zb {

// What one helper process may commit; a picture that needs more ends its
// helper instead of exhausting the machine, and gets no thumbnail.
inline constexpr std::uint64_t kHelperMemoryBytes = std::uint64_t{1} << 30;

// Helper processes (the helper program started with kThumbnailHelperArgument)
// that make thumbnail bytes over their standard input and output, each
// driven by one thread of ours. The helpers live in a job object of this
// pool, which ends them when the pool or the whole run goes, however it
// goes. A helper that dies or hangs costs only the picture it was on, and
// is replaced.
class Win32ThumbnailHelperPool : public ThumbnailHelperPool {
 public:
  // No picture takes a helper this long; one that does is taken for hung.
  static constexpr std::chrono::milliseconds kAnswerTimeout{120 * 1000};

  // program: a UTF-8 drive path.
  Win32ThumbnailHelperPool(std::string program, unsigned count,
                           std::chrono::milliseconds answerTimeout = kAnswerTimeout);
  // Abandons every job and ends the helpers and the threads.
  ~Win32ThumbnailHelperPool() override;
  Win32ThumbnailHelperPool(const Win32ThumbnailHelperPool&) = delete;
  Win32ThumbnailHelperPool& operator=(const Win32ThumbnailHelperPool&) = delete;

  void Post(std::string hostPath, int side, Done done) override;
  // Terminates the helpers at work.
  void Abandon() override;
  // Waits moments, as helpers are terminated.
  void Settle() override;

 private:
  struct Job {
    std::string hostPath;
    int side;
    Done done;
  };
  struct Helper {
    UniqueHandle process;
    UniqueHandle requests;  // our end of its standard input
    UniqueHandle answers;   // our end of its standard output
  };
  // One thread's job, shared with Abandon under mutex_. process is set only
  // while the helper's handle is certainly open.
  struct Slot {
    bool busy = false;
    bool abandoned = false;
    HANDLE process = nullptr;
  };

  void Serve(Slot& slot);
  std::pair<Outcome, std::vector<std::uint8_t>> Ask(Helper& helper, const Job& job, Slot& slot);
  std::optional<std::vector<std::uint8_t>> Exchange(const Helper& helper, const Job& job) const;
  bool Start(Helper& helper);
  static void Stop(Helper& helper);

  const std::wstring program_;
  const unsigned count_;
  const std::chrono::milliseconds answerTimeout_;
  // Null when the system gave none: then no helper starts.
  const UniqueHandle job_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> queue_;
  std::vector<Slot> slots_;
  unsigned running_ = 0;
  bool ending_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace zb
