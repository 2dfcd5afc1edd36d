#include "app/qt_stop_signals.h"

#include "scan/run_stop.h"
#include "window/program.h"

namespace zb {

QtStopSignals::QtStopSignals(Program& program, std::function<void()> closeWindow)
    : notifier_(signals_.WakeFd(), QSocketNotifier::Read) {
  // Also reached from the run's yields, which let the window's events run.
  QObject::connect(&notifier_, &QSocketNotifier::activated, [this, &program] {
    signals_.Drain();
    ConfirmStop(program.session);
    closeOnceIdle_.start(100);
  });
  QObject::connect(&closeOnceIdle_, &QTimer::timeout,
                   [this, &program, close = std::move(closeWindow)] {
                     if (program.session.run.Active) return;
                     closeOnceIdle_.stop();
                     close();
                   });
}

}  // namespace zb
