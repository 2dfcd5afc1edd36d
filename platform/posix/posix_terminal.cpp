#include "platform/posix/posix_terminal.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace zb {

bool PosixTerminal::Answerable() { return isatty(in_) && isatty(err_); }

bool PosixTerminal::Shows(Stream stream) { return isatty(stream == Stream::kOutput ? out_ : err_); }

void PosixTerminal::Write(Stream stream, std::string_view utf8) {
  const int fd = stream == Stream::kOutput ? out_ : err_;
  while (!utf8.empty()) {
    const ssize_t n = write(fd, utf8.data(), utf8.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // a closed or full stream loses the text, not the run
    utf8.remove_prefix(static_cast<std::size_t>(n));
  }
}

bool PosixTerminal::StopSignalled() {
  pollfd one{wakeFd_, POLLIN, 0};
  return wakeFd_ >= 0 && poll(&one, 1, 0) > 0;
}

std::optional<std::string> PosixTerminal::ReadLine(std::size_t keep) {
  std::string line;
  for (;;) {
    pollfd waits[2] = {{in_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    if (poll(waits, wakeFd_ >= 0 ? 2 : 1, -1) < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (waits[1].revents != 0) return std::nullopt;
    // A byte at a time: what follows the line end is the next answer's.
    char c;
    const ssize_t n = read(in_, &c, 1);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return std::nullopt;
    if (c == '\n') return line;
    if (line.size() < keep) line += c;
  }
}

}  // namespace zb
