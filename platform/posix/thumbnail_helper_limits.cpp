#include "platform/posix/thumbnail_helper_limits.h"

#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>

namespace zb {

bool ConfineThumbnailHelper(pid_t run) {
  const rlimit noCore{0, 0};
  const rlimit memory{kHelperAddressSpaceBytes, kHelperAddressSpaceBytes};
  if (setrlimit(RLIMIT_CORE, &noCore) != 0 ||
      (kHelperAddressSpaceBounded && setrlimit(RLIMIT_AS, &memory) != 0)) {
    return false;
  }
  if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0) return false;
  // A run that died before the line above went unnoticed by it: this
  // process has another parent by now.
  return getppid() == run;
}

void GrantProcessorSeconds(unsigned seconds) {
  rusage used{};
  rlimit limit{};
  if (getrusage(RUSAGE_SELF, &used) != 0 || getrlimit(RLIMIT_CPU, &limit) != 0) return;
  // Whole seconds, rounded up, so that the grant is never less than asked.
  const auto micro = [](const timeval& t) { return std::int64_t{t.tv_sec} * 1000000 + t.tv_usec; };
  const rlim_t spent =
      static_cast<rlim_t>((micro(used.ru_utime) + micro(used.ru_stime)) / 1000000 + 1);
  limit.rlim_cur = spent + seconds;
  if (limit.rlim_max != RLIM_INFINITY && limit.rlim_cur > limit.rlim_max) {
    limit.rlim_cur = limit.rlim_max;
  }
  setrlimit(RLIMIT_CPU, &limit);
}

}  // namespace zb
