#pragma once

#include <QSocketNotifier>
#include <QTimer>
#include <functional>

#include "platform/posix/stop_signals.h"

namespace zb {

struct Program;

// INT, TERM and HUP in the window: a run unwinds in order as after a
// confirmed stop (list page written, marker cleared), then closeWindow runs,
// as the close box would, once no run is left to unwind.
class QtStopSignals {
 public:
  QtStopSignals(Program& program, std::function<void()> closeWindow);

 private:
  StopSignals signals_;
  QSocketNotifier notifier_;
  QTimer closeOnceIdle_;
};

}  // namespace zb
