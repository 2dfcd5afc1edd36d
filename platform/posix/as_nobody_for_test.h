#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

namespace zb {

// For tests, which run as root, where permissions matter.

inline constexpr uid_t kNobody = 65534;

// Hands path and everything below it to nobody, links themselves included.
inline void GiveToNobody(const std::string& path) {
  namespace fs = std::filesystem;
  (void)!lchown(path.c_str(), kNobody, kNobody);
  for (const auto& entry : fs::recursive_directory_iterator(path)) {
    (void)!lchown(entry.path().c_str(), kNobody, kNobody);
  }
}

// Runs body in a forked child that has given up root for nobody. Returns
// body's result as the child's exit status; 99 when root could not be given
// up, 128 + the signal when the child was killed.
inline int RunAsNobody(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(99);
    _exit(body());
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace zb
