#pragma once

#include <functional>

namespace zb {

struct Program;

// Ctrl-C becomes a confirmed stop: at the walk's next yield Stop is pressed
// and the stop question is answered Yes. A second Ctrl-C ends the program.
class StopOnInterrupt {
 public:
  // confirmNextQuestion makes the next question answer Yes.
  StopOnInterrupt(Program& program, std::function<void()> confirmNextQuestion);
  ~StopOnInterrupt();
  StopOnInterrupt(const StopOnInterrupt&) = delete;
  StopOnInterrupt& operator=(const StopOnInterrupt&) = delete;

  // Called at every yield of the run.
  void Poll();

 private:
  Program& program_;
  std::function<void()> confirmNextQuestion_;
};

}  // namespace zb
