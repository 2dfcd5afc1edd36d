#pragma once

#include <string>
#include <vector>

namespace zb {

// Starts programs that run on their own: their own session, no terminal,
// never waited for by the caller. A small detached thread per child waits for
// it to end and reaps it, so no opened viewer is left a zombie; the threads
// hold nothing else and never keep the program from ending.
class DetachedSpawner {
 public:
  // argv[0] is looked up on PATH unless it holds a "/". An empty folder
  // keeps the working folder. False when the program cannot be started.
  bool Spawn(const std::vector<std::string>& argv, const std::string& folder = {});
};

}  // namespace zb
