#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zb {

// The terminal a command line writes to and asks its questions on.
class Terminal {
 public:
  enum class Stream { kOutput, kError };

  virtual ~Terminal() = default;
  // Whether a person can see a question and answer it.
  virtual bool Answerable() = 0;
  // Whether what goes to the stream is shown to a person rather than kept
  // in a file or read by a program.
  virtual bool Shows(Stream stream) = 0;
  // UTF-8 text, written at once as the stream takes it: as characters where
  // a person sees it, as bytes where it goes on.
  virtual void Write(Stream stream, std::string_view utf8) = 0;
  // Whether a stop was signalled: from then on nothing waits for an answer.
  virtual bool StopSignalled() = 0;
  // One line of input without its line end, of which the first keep bytes
  // are kept and the rest read and dropped: what follows the line end is
  // left for the next. Nothing at the end of input or on a stop signal.
  virtual std::optional<std::string> ReadLine(std::size_t keep) = 0;
};

}  // namespace zb
