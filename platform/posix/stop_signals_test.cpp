#include "platform/posix/stop_signals.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <csignal>

#include "scan/run_stop.h"
#include "testing/fake_program.h"

namespace zb {
namespace {

bool Readable(int fd) {
  pollfd one{fd, POLLIN, 0};
  return poll(&one, 1, 0) == 1;
}

// Each signal that ends a program ends the run in order instead: no question,
// the list page written for the files seen so far.
TEST(StopSignals, IntTermAndHupEachStopTheRunInOrder) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    FakeProgram f;
    for (int i = 0; i < 10; ++i) f.files.AddFile("C:\\pics\\" + std::to_string(i) + ".jpg");
    StopSignals signals;
    EXPECT_FALSE(Readable(signals.WakeFd()));
    f.host.system.onYield = [&] {
      if (f.run.FileCount == 4 && !signals.Requested()) std::raise(signal);
      if (signals.Requested()) ConfirmStop(f.program.session);
    };
    f.Start();
    EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kStopped) << signal;
    EXPECT_EQ(f.run.FileCount, 4);
    EXPECT_TRUE(f.files.Exists("C:\\pics\\_gazlist.htm"));
    EXPECT_TRUE(f.host.dialogs.shown.empty()) << "a signal asks nothing";
    EXPECT_TRUE(Readable(signals.WakeFd()));
    signals.Drain();
    EXPECT_FALSE(Readable(signals.WakeFd()));
  }
}

void Mine(int) {}

// Whatever handled a stop signal before handles it again afterwards; an
// ignored one stays ignored meanwhile.
TEST(StopSignals, EachSignalsOwnPreviousHandlerStaysAndComesBack) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    for (void (*before)(int) : {&Mine, SIG_IGN}) {
      const auto saved = std::signal(signal, before);
      {
        StopSignals signals;
        if (before == SIG_IGN) {
          std::raise(signal);
          EXPECT_FALSE(signals.Requested()) << signal;
        }
      }
      EXPECT_EQ(std::signal(signal, saved), before) << signal;
    }
  }
}

}  // namespace
}  // namespace zb
