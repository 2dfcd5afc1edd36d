#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace zb {

// Starts programs that run on their own: their own session, no terminal,
// never waited for. Children that have ended are reaped at the next start
// without blocking, so none is left a zombie for long.
class DetachedSpawner {
 public:
  DetachedSpawner() = default;
  ~DetachedSpawner();
  DetachedSpawner(const DetachedSpawner&) = delete;
  DetachedSpawner& operator=(const DetachedSpawner&) = delete;

  // argv[0] is looked up on PATH unless it holds a "/". An empty folder
  // keeps the working folder. False when the program cannot be started.
  bool Spawn(const std::vector<std::string>& argv, const std::string& folder = {});

 private:
  void ReapEnded();

  std::vector<pid_t> children_;
};

}  // namespace zb
