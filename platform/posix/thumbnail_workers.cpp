#include "platform/posix/thumbnail_workers.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/thumbnail_worker.h"
#include "platform/posix/whole_transfers.h"

extern char** environ;

namespace zb {
namespace {

// No picture takes a helper this long; one that does is taken for hung.
constexpr int kAnswerTimeoutMs = 120 * 1000;
constexpr std::uint32_t kMaxAnswerBytes = 256 * 1024 * 1024;

bool AnswerComes(int fd) {
  pollfd p{fd, POLLIN, 0};
  int n;
  do {
    n = poll(&p, 1, kAnswerTimeoutMs);
  } while (n < 0 && errno == EINTR);
  return n > 0;
}

}  // namespace

ThumbnailWorkers::ThumbnailWorkers(std::string program, unsigned count)
    : program_(std::move(program)), count_(count == 0 ? 1 : count) {}

ThumbnailWorkers::~ThumbnailWorkers() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
    queue_.clear();
  }
  changed_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void ThumbnailWorkers::Post(std::string hostPath, int side, Done done) {
  {
    std::lock_guard lock(mutex_);
    // Helpers start with the first picture that needs one, so that a run
    // whose thumbnails all exist starts none.
    if (threads_.empty()) {
      for (unsigned i = 0; i < count_; ++i) threads_.emplace_back([this] { Serve(); });
    }
    queue_.push_back({std::move(hostPath), side, std::move(done)});
  }
  changed_.notify_one();
}

void ThumbnailWorkers::Settle() {
  std::deque<Job> dropped;
  std::unique_lock lock(mutex_);
  dropped.swap(queue_);
  lock.unlock();
  for (Job& job : dropped) job.done({});
  lock.lock();
  changed_.wait(lock, [this] { return running_ == 0; });
}

void ThumbnailWorkers::Serve() {
  Helper helper;
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return ending_ || !queue_.empty(); });
    if (ending_) break;
    Job job = std::move(queue_.front());
    queue_.pop_front();
    ++running_;
    lock.unlock();
    std::vector<std::uint8_t> bytes = Ask(helper, job);
    job.done(std::move(bytes));
    lock.lock();
    --running_;
    changed_.notify_all();
  }
  lock.unlock();
  Stop(helper);
}

std::vector<std::uint8_t> ThumbnailWorkers::Ask(Helper& helper, const Job& job) {
  if (helper.pid < 0 && !Start(helper)) return {};
  const auto side = static_cast<std::uint32_t>(job.side);
  const auto length = static_cast<std::uint32_t>(job.hostPath.size());
  std::uint32_t size = 0;
  std::vector<std::uint8_t> bytes;
  if (SendFully(helper.socket, &side, sizeof side) &&
      SendFully(helper.socket, &length, sizeof length) &&
      SendFully(helper.socket, job.hostPath.data(), length) && AnswerComes(helper.socket) &&
      ReadFully(helper.socket, &size, sizeof size) && size <= kMaxAnswerBytes) {
    bytes.resize(size);
    if (ReadFully(helper.socket, bytes.data(), size)) return bytes;
  }
  // Died, hung or spoke nonsense: this picture gets no thumbnail, the next
  // one a fresh helper.
  kill(helper.pid, SIGKILL);
  Stop(helper);
  return {};
}

bool ThumbnailWorkers::Start(Helper& helper) {
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
  char* argv[] = {const_cast<char*>(program_.c_str()), const_cast<char*>(kThumbnailWorkerArgument),
                  nullptr};
  pid_t pid = -1;
  const int failed = posix_spawn(&pid, program_.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(ends[1]);
  if (failed != 0) {
    close(ends[0]);
    return false;
  }
  helper.pid = pid;
  helper.socket = ends[0];
  return true;
}

void ThumbnailWorkers::Stop(Helper& helper) {
  if (helper.pid < 0) return;
  // Its end of the socket closes: the helper reads the end and leaves.
  close(helper.socket);
  while (waitpid(helper.pid, nullptr, 0) < 0 && errno == EINTR) {
  }
  helper = Helper{};
}

}  // namespace zb
