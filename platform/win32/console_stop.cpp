#include "platform/win32/console_stop.h"

#include <atomic>

namespace zb {
namespace {

// The handler runs on a thread the system makes; it reaches the one
// instance through these.
std::atomic<HANDLE> requestedEvent{nullptr};
std::atomic<HANDLE> endedEvent{nullptr};

// The system ends the process some five seconds after a close event.
constexpr DWORD kCloseGraceMs = 4500;

BOOL WINAPI OnConsoleEvent(DWORD event) {
  const HANDLE requested = requestedEvent.load();
  if (requested == nullptr) return FALSE;
  SetEvent(requested);
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    if (const HANDLE ended = endedEvent.load()) WaitForSingleObject(ended, kCloseGraceMs);
  }
  return TRUE;
}

}  // namespace

ConsoleStop::ConsoleStop()
    : requested_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      ended_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  requestedEvent = requested_.get();
  endedEvent = ended_.get();
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

ConsoleStop::~ConsoleStop() {
  SetEvent(ended_.get());
  SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
  requestedEvent = nullptr;
  endedEvent = nullptr;
}

bool ConsoleStop::Requested() const {
  return WaitForSingleObject(requested_.get(), 0) == WAIT_OBJECT_0;
}

}  // namespace zb
