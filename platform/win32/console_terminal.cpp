#include "platform/win32/console_terminal.h"

#include "platform/win32/wide_text.h"

namespace zb {
namespace {

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

// One character of input, as UTF-8: from the console as typed, else a byte.
std::optional<std::string> ReadOne(HANDLE in, bool console) {
  if (console) {
    wchar_t c = 0;
    DWORD read = 0;
    // Ctrl-C during the read ends it with nothing read.
    if (!ReadConsoleW(in, &c, 1, &read, nullptr) || read == 0) return std::nullopt;
    return Utf8FromWide({&c, 1});
  }
  char c = 0;
  DWORD read = 0;
  if (!ReadFile(in, &c, 1, &read, nullptr) || read == 0) return std::nullopt;
  return std::string(1, c);
}

}  // namespace

bool ConsoleTerminal::Answerable() { return IsConsole(in_) && IsConsole(err_); }

bool ConsoleTerminal::Shows(Stream stream) {
  return IsConsole(stream == Stream::kOutput ? out_ : err_);
}

void ConsoleTerminal::Write(Stream stream, std::string_view utf8) {
  const HANDLE handle = stream == Stream::kOutput ? out_ : err_;
  if (IsConsole(handle)) {
    const std::wstring wide = WideFromUtf8(utf8);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  while (!utf8.empty()) {
    DWORD written = 0;
    // A closed or full stream loses the text, not the run.
    if (!WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) ||
        written == 0) {
      return;
    }
    utf8.remove_prefix(written);
  }
}

bool ConsoleTerminal::StopSignalled() {
  return wakeEvent_ != nullptr && WaitForSingleObject(wakeEvent_, 0) == WAIT_OBJECT_0;
}

std::optional<std::string> ConsoleTerminal::ReadLine(std::size_t keep) {
  const bool console = IsConsole(in_);
  std::string line;
  for (;;) {
    if (StopSignalled()) return std::nullopt;
    // A console's handle is signalled by any input event, not only keys,
    // so the wait only lets a stop in before a read.
    if (console && wakeEvent_ != nullptr) {
      const HANDLE waits[2] = {in_, wakeEvent_};
      if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) return std::nullopt;
    }
    const std::optional<std::string> c = ReadOne(in_, console);
    if (!c) return std::nullopt;
    if (*c == "\n") {
      // A console ends a typed line with CR LF, a terminal with LF alone.
      if (console && !line.empty() && line.back() == '\r') line.pop_back();
      return line;
    }
    if (line.size() < keep) line = (line + *c).substr(0, keep);
  }
}

}  // namespace zb
