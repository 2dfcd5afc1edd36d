#pragma once

#include <chrono>

#include "platform/terminal.h"

namespace zb {

struct Program;

// Shows the status labels as one line that rewrites itself on a terminal.
class CliProgress {
 public:
  CliProgress(Program& program, Terminal& terminal);
  ~CliProgress();
  CliProgress(const CliProgress&) = delete;
  CliProgress& operator=(const CliProgress&) = delete;

  // Ends the progress line so that later text starts on a fresh line.
  void Finish();

 private:
  void Show();

  Program& program_;
  Terminal& terminal_;
  int observer_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace zb
