#include "platform/posix/posix_thumbnail_helper_process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/whole_transfers.h"

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

// The helper stays unreaped until destruction, so that its number is ours
// to kill until then.
class PosixHelper : public ThumbnailHelperProcess {
 public:
  PosixHelper(pid_t pid, int socket) : pid_(pid), socket_(socket) {}
  ~PosixHelper() override {
    // Its end of the socket closes: the helper reads the end and leaves.
    close(socket_);
    while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  PosixHelper(const PosixHelper&) = delete;
  PosixHelper& operator=(const PosixHelper&) = delete;

  std::optional<std::vector<std::uint8_t>> Exchange(const ThumbnailRequest& request,
                                                    std::chrono::milliseconds patience) override {
    SocketChannel channel(socket_, patience);
    if (!SendRequest(channel, request)) return std::nullopt;
    return ReceiveAnswer(channel);
  }
  void Kill() override {
    kill(pid_, SIGKILL);
    // Also ends the wait for an answer when something the helper started
    // still holds its end.
    shutdown(socket_, SHUT_RDWR);
  }

 private:
  const pid_t pid_;
  const int socket_;
};

}  // namespace

std::unique_ptr<ThumbnailHelperProcess> PosixThumbnailHelperLauncher::Start() {
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return nullptr;
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
    return nullptr;
  }
  return std::make_unique<PosixHelper>(pid, ends[0]);
}

}  // namespace zb
