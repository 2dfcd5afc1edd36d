#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zb {

// Helper processes (the helper program started with kThumbnailWorkerArgument)
// that make thumbnail bytes, each driven by one thread of ours. The threads
// get host paths and hand back bytes; they touch nothing else. A helper
// that dies or hangs costs only the picture it was on, and is replaced.
class ThumbnailWorkers {
 public:
  // Called on a worker thread with the JPEG bytes, empty for none.
  using Done = std::function<void(std::vector<std::uint8_t>)>;

  ThumbnailWorkers(std::string program, unsigned count);
  // Ends the helpers and the threads; queued jobs are dropped unanswered.
  ~ThumbnailWorkers();
  ThumbnailWorkers(const ThumbnailWorkers&) = delete;
  ThumbnailWorkers& operator=(const ThumbnailWorkers&) = delete;

  void Post(std::string hostPath, int side, Done done);
  // Answers the queued jobs with nothing and waits until no job runs.
  void Settle();

 private:
  struct Job {
    std::string hostPath;
    int side;
    Done done;
  };
  struct Helper {
    int pid = -1;
    int socket = -1;
  };

  void Serve();
  std::vector<std::uint8_t> Ask(Helper& helper, const Job& job);
  bool Start(Helper& helper);
  static void Stop(Helper& helper);

  const std::string program_;
  const unsigned count_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> queue_;
  unsigned running_ = 0;
  bool ending_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace zb
