#include "platform/qt/qt_stop_signals.h"

#include "run/run_driver.h"
#include "window/program.h"

namespace zb {

QtStopSignals::QtStopSignals(Program& program, std::function<void()> closeWindow)
    : notifier_(signals_.WakeFd(), QSocketNotifier::Read) {
  // Also reached from the run's yields, which let the window's events run.
  QObject::connect(&notifier_, &QSocketNotifier::activated, [this, &program] {
    signals_.Drain();
    ConfirmStop(program);
    closeOnceIdle_.start(100);
  });
  QObject::connect(&closeOnceIdle_, &QTimer::timeout,
                   [this, &program, close = std::move(closeWindow)] {
                     if (program.run.Active) return;
                     closeOnceIdle_.stop();
                     close();
                   });
}

}  // namespace zb
