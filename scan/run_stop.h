#pragma once

namespace zb {

struct RunSession;

// Only asks for a stop; the next file asks the user to confirm.
void RequestStop(RunSession& session);
// A stop that needs no question, as after Yes to the stop question: the host
// asked the program to end. The walk unwinds at its next file; a run that is
// not walking (or no run at all) is left as it is.
void ConfirmStop(RunSession& session);

}  // namespace zb
