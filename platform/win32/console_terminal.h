#pragma once

#include "platform/terminal.h"
#include "platform/win32/windows_api.h"

namespace zb {

// The standard handles as a terminal: a console shows and reads characters
// (UTF-16), anything else (a pipe, a file) takes and gives UTF-8 bytes. A
// stop request is wakeEvent turning signalled (null: none).
class ConsoleTerminal : public Terminal {
 public:
  ConsoleTerminal(HANDLE in, HANDLE out, HANDLE err, HANDLE wakeEvent)
      : in_(in), out_(out), err_(err), wakeEvent_(wakeEvent) {}

  // Questions are answerable when input and errors are both a console.
  bool Answerable() override;
  bool Shows(Stream stream) override;
  void Write(Stream stream, std::string_view utf8) override;
  bool StopSignalled() override;
  std::optional<std::string> ReadLine(std::size_t keep) override;

 private:
  HANDLE in_;
  HANDLE out_;
  HANDLE err_;
  HANDLE wakeEvent_;
};

}  // namespace zb
