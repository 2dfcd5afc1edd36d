#pragma once

#include "platform/terminal.h"

namespace zb {

// Answers read from the descriptor in, a byte at a time; a stop signal is
// wakeFd turning readable (-1: none). Text goes to out and err as it is.
class PosixTerminal : public Terminal {
 public:
  // Questions are answerable when in and err are both a terminal.
  PosixTerminal(int in, int out, int err, int wakeFd)
      : in_(in), out_(out), err_(err), wakeFd_(wakeFd) {}

  bool Answerable() override;
  bool Shows(Stream stream) override;
  void Write(Stream stream, std::string_view utf8) override;
  bool StopSignalled() override;
  std::optional<std::string> ReadLine(std::size_t keep) override;

 private:
  int in_;
  int out_;
  int err_;
  int wakeFd_;
};

}  // namespace zb
