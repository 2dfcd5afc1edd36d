#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace zb {

// The terminal a command line asks its questions on.
class Terminal {
 public:
  virtual ~Terminal() = default;
  // Whether a person can see a question and answer it.
  virtual bool Answerable() = 0;
  // Whether a stop was signalled: from then on nothing waits for an answer.
  virtual bool StopSignalled() = 0;
  // One line of input without its line end, of which the first keep bytes
  // are kept and the rest read and dropped: what follows the line end is
  // left for the next. Nothing at the end of input or on a stop signal.
  virtual std::optional<std::string> ReadLine(std::size_t keep) = 0;
};

}  // namespace zb
