#include "platform/posix/thumbnail_workers.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "platform/posix/thumbnail_worker.h"
#include "platform/posix/whole_transfers.h"

extern char** environ;

namespace zb {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kMaxAnswerBytes = 256 * 1024 * 1024;

// Reads `size` bytes unless the deadline passes first: a helper that stops
// half-way through its answer holds no one.
bool ReadBefore(int fd, void* data, std::size_t size, Clock::time_point deadline) {
  char* at = static_cast<char*>(data);
  while (size > 0) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left < 0) return false;
    pollfd p{fd, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(std::min<long long>(left, INT_MAX)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    const ssize_t got = read(fd, at, size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    at += got;
    size -= static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace

ThumbnailWorkers::ThumbnailWorkers(std::string program, unsigned count,
                                   std::chrono::milliseconds answerTimeout)
    : program_(std::move(program)),
      count_(count == 0 ? 1 : count),
      answerTimeout_(answerTimeout),
      slots_(count_) {}

ThumbnailWorkers::~ThumbnailWorkers() {
  Abandon();
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
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
      for (Slot& slot : slots_) threads_.emplace_back([this, &slot] { Serve(slot); });
    }
    queue_.push_back({std::move(hostPath), side, std::move(done)});
  }
  changed_.notify_one();
}

void ThumbnailWorkers::Abandon() {
  std::deque<Job> dropped;
  {
    std::lock_guard lock(mutex_);
    dropped.swap(queue_);
    for (Slot& slot : slots_) {
      if (!slot.busy) continue;
      slot.abandoned = true;
      if (slot.pid < 0) continue;
      kill(slot.pid, SIGKILL);
      // Also ends the wait for an answer when something the helper started
      // still holds its end.
      shutdown(slot.socket, SHUT_RDWR);
    }
  }
  for (Job& job : dropped) job.done(Outcome::kUnanswered, {});
}

void ThumbnailWorkers::Settle() {
  Abandon();
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return running_ == 0; });
}

void ThumbnailWorkers::Serve(Slot& slot) {
  Helper helper;
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return ending_ || !queue_.empty(); });
    if (ending_) break;
    Job job = std::move(queue_.front());
    queue_.pop_front();
    ++running_;
    slot = Slot{.busy = true};
    lock.unlock();
    auto [outcome, bytes] = Ask(helper, job, slot);
    job.done(outcome, std::move(bytes));
    lock.lock();
    --running_;
    changed_.notify_all();
  }
  lock.unlock();
  Stop(helper);
}

std::pair<ThumbnailWorkers::Outcome, std::vector<std::uint8_t>> ThumbnailWorkers::Ask(
    Helper& helper, const Job& job, Slot& slot) {
  if (helper.pid < 0 && !Start(helper)) return {Outcome::kUnanswered, {}};
  bool abandoned = false;
  {
    std::lock_guard lock(mutex_);
    abandoned = slot.abandoned;
    slot.pid = helper.pid;
    slot.socket = helper.socket;
  }
  std::optional<std::vector<std::uint8_t>> bytes;
  if (!abandoned) bytes = Exchange(helper, job);
  {
    // From here Abandon kills no more: the helper is ours alone to reap.
    std::lock_guard lock(mutex_);
    slot.pid = -1;
    slot.socket = -1;
    slot.busy = false;
    abandoned = slot.abandoned;
  }
  if (abandoned || !bytes) {
    // Died, hung, spoke nonsense or was abandoned: the next picture gets a
    // fresh helper. Killed first, as one that hangs would never leave.
    kill(helper.pid, SIGKILL);
    Stop(helper);
  }
  if (abandoned) return {Outcome::kUnanswered, {}};
  if (!bytes || bytes->empty()) return {Outcome::kRefused, {}};
  return {Outcome::kMade, std::move(*bytes)};
}

std::optional<std::vector<std::uint8_t>> ThumbnailWorkers::Exchange(const Helper& helper,
                                                                    const Job& job) const {
  const auto side = static_cast<std::uint32_t>(job.side);
  const auto length = static_cast<std::uint32_t>(job.hostPath.size());
  if (!SendFully(helper.socket, &side, sizeof side) ||
      !SendFully(helper.socket, &length, sizeof length) ||
      !SendFully(helper.socket, job.hostPath.data(), length)) {
    return std::nullopt;
  }
  const Clock::time_point deadline = Clock::now() + answerTimeout_;
  std::uint32_t size = 0;
  if (!ReadBefore(helper.socket, &size, sizeof size, deadline) || size > kMaxAnswerBytes) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(size);
  if (!ReadBefore(helper.socket, bytes.data(), size, deadline)) return std::nullopt;
  return bytes;
}

bool ThumbnailWorkers::Start(Helper& helper) {
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
  // The helper ends itself once this process is gone; it checks our number
  // in case we went before it could ask to be told.
  std::string parent = std::to_string(getpid());
  char* argv[] = {const_cast<char*>(program_.c_str()), const_cast<char*>(kThumbnailWorkerArgument),
                  parent.data(), nullptr};
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
