#include "scan/run_stop.h"

#include "context/run_messages.h"
#include "scan/run_session.h"

namespace zb {

void RequestStop(RunSession& session) {
  session.form.cmdStop.SetEnabled(false);
  session.run.RunState = StopRequest::kAsked;
  session.platform.system.TrimWorkingSet();
}

void ConfirmStop(RunSession& session) {
  RunContext& run = session.run;
  if (!run.Active || run.RunState == StopRequest::kConfirmed) return;
  run.RunState = StopRequest::kConfirmed;
  session.form.LblComment.SetCaption(kStoppedText);
  session.form.cmdStop.SetEnabled(false);
  session.form.cmdStart.SetEnabled(true);
}

}  // namespace zb
