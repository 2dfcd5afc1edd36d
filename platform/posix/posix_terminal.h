#pragma once

#include "platform/terminal.h"

namespace zb {

// Answers read from the descriptor in, a byte at a time; a stop signal is
// wakeFd turning readable (-1: none).
class PosixTerminal : public Terminal {
 public:
  // Questions are answerable when in and err are both a terminal.
  PosixTerminal(int in, int err, int wakeFd) : in_(in), err_(err), wakeFd_(wakeFd) {}

  bool Answerable() override;
  bool StopSignalled() override;
  std::optional<std::string> ReadLine(std::size_t keep) override;

 private:
  int in_;
  int err_;
  int wakeFd_;
};

}  // namespace zb
