#pragma once

#include <chrono>
#include <string>

namespace zb {

struct RunSession;

// One whole catalogue run, from the option check to the completion text.
void StartRun(RunSession& session);
void ReportCompletion(RunSession& session);
// "hh:mm:ss" of a span, modulo one day.
std::string FormatElapsed(std::chrono::system_clock::duration span);

}  // namespace zb
