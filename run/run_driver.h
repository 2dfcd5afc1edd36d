#pragma once

#include <chrono>
#include <string>

namespace zb {

struct Program;

// One whole catalogue run, from the option check to the completion text.
void cmdStart_Click(Program& program);
// Only asks for a stop; the next file asks the user to confirm.
void cmdStop_Click(Program& program);
// A stop that needs no question, as after Yes to the stop question: the host
// asked the program to end. The walk unwinds at its next file; a run that is
// not walking (or no run at all) is left as it is.
void ConfirmStop(Program& program);
void ReportCompletion(Program& program);
// "hh:mm:ss" of a span, modulo one day.
std::string FormatElapsed(std::chrono::system_clock::duration span);

}  // namespace zb
