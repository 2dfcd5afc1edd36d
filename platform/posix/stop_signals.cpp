#include "platform/posix/stop_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <stdexcept>

namespace zb {
namespace {

constexpr std::array<int, 3> kStopSignals{SIGINT, SIGTERM, SIGHUP};

std::atomic<bool> requested{false};
int wakePipe[2] = {-1, -1};
struct sigaction previous[kStopSignals.size()];

void OnStopSignal(int) {
  const int saved = errno;
  requested.store(true);
  const char byte = 1;
  // A full pipe is already readable: the lost byte changes nothing.
  [[maybe_unused]] const ssize_t ignored = write(wakePipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

StopSignals::StopSignals() {
  if (pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("pipe2");
  requested.store(false);
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  // Reads and writes elsewhere go on undisturbed; waits use WakeFd().
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kStopSignals.size(); ++i) {
    sigaction(kStopSignals[i], nullptr, &previous[i]);
    if (previous[i].sa_handler == SIG_IGN) continue;
    sigaction(kStopSignals[i], &action, nullptr);
  }
}

StopSignals::~StopSignals() {
  for (std::size_t i = 0; i < kStopSignals.size(); ++i) {
    sigaction(kStopSignals[i], &previous[i], nullptr);
  }
  close(wakePipe[0]);
  close(wakePipe[1]);
  wakePipe[0] = wakePipe[1] = -1;
}

bool StopSignals::Requested() const { return requested.load(std::memory_order_relaxed); }

int StopSignals::WakeFd() const { return wakePipe[0]; }

void StopSignals::Drain() {
  char bytes[64];
  while (read(wakePipe[0], bytes, sizeof bytes) > 0) {
  }
}

}  // namespace zb
