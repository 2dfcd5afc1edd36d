#include "platform/posix/posix_thumbnail_helper_pool.h"

#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/whole_transfers.h"
#include "thumbnail/helper_protocol.h"

extern char** environ;

namespace zb {
namespace {

using Clock = std::chrono::steady_clock;

// The run's end of a helper's socket; answers are waited for at most
// `patience` from the first read on.
class SocketChannel : public MessageChannel {
 public:
  SocketChannel(int socket, std::chrono::milliseconds patience)
      : socket_(socket), patience_(patience) {}
  bool Read(void* data, std::size_t size) override {
    if (!deadline_) deadline_ = Clock::now() + patience_;
    return ReadFullyBefore(socket_, data, size, *deadline_);
  }
  bool Write(const void* data, std::size_t size) override { return SendFully(socket_, data, size); }

 private:
  int socket_;
  std::chrono::milliseconds patience_;
  std::optional<Clock::time_point> deadline_;
};

}  // namespace

PosixThumbnailHelperPool::PosixThumbnailHelperPool(std::string program, unsigned count,
                                                   std::chrono::milliseconds answerTimeout)
    : program_(std::move(program)),
      count_(count == 0 ? 1 : count),
      answerTimeout_(answerTimeout),
      slots_(count_) {}

PosixThumbnailHelperPool::~PosixThumbnailHelperPool() {
  Abandon();
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
  }
  changed_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void PosixThumbnailHelperPool::Post(std::string hostPath, int side, Done done) {
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

void PosixThumbnailHelperPool::Abandon() {
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

void PosixThumbnailHelperPool::Settle() {
  Abandon();
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return running_ == 0; });
}

void PosixThumbnailHelperPool::Serve(Slot& slot) {
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

std::pair<PosixThumbnailHelperPool::Outcome, std::vector<std::uint8_t>>
PosixThumbnailHelperPool::Ask(Helper& helper, const Job& job, Slot& slot) {
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

std::optional<std::vector<std::uint8_t>> PosixThumbnailHelperPool::Exchange(const Helper& helper,
                                                                            const Job& job) const {
  SocketChannel channel(helper.socket, answerTimeout_);
  if (!SendRequest(channel, {job.hostPath, job.side})) return std::nullopt;
  return ReceiveAnswer(channel);
}

bool PosixThumbnailHelperPool::Start(Helper& helper) {
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
  // The helper ends itself once this process is gone; it checks our number
  // in case we went before it could ask to be told.
  std::string parent = std::to_string(getpid());
  char* argv[] = {const_cast<char*>(program_.c_str()), const_cast<char*>(kThumbnailHelperArgument),
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

void PosixThumbnailHelperPool::Stop(Helper& helper) {
  if (helper.pid < 0) return;
  // Its end of the socket closes: the helper reads the end and leaves.
  close(helper.socket);
  while (waitpid(helper.pid, nullptr, 0) < 0 && errno == EINTR) {
  }
  helper = Helper{};
}

}  // namespace zb
