#pragma once

namespace zb {

// SIGINT, SIGTERM and SIGHUP become a request to stop instead of ending the
// process where it stands: the run polls Requested() at its yields and ends
// in order (list page written, crash marker cleared). The handler only sets a
// flag and writes a byte into a pipe, so a wait on the terminal or an event
// loop can wake up on WakeFd(). A signal that was ignored when the program
// started (nohup, a background job) stays ignored.
//
// One instance per process; the previous handlers come back when it ends.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  bool Requested() const;
  // Readable from the first signal on; stays readable until Drain().
  int WakeFd() const;
  void Drain();
};

}  // namespace zb
