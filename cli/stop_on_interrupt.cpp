#include "cli/stop_on_interrupt.h"

#include <csignal>

#include "window/program.h"

namespace zb {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
  interrupted = 1;
  std::signal(SIGINT, SIG_DFL);
}

}  // namespace

StopOnInterrupt::StopOnInterrupt(Program& program, std::function<void()> confirmNextQuestion)
    : program_(program), confirmNextQuestion_(std::move(confirmNextQuestion)) {
  interrupted = 0;
  std::signal(SIGINT, OnInterrupt);
}

StopOnInterrupt::~StopOnInterrupt() { std::signal(SIGINT, SIG_DFL); }

void StopOnInterrupt::Poll() {
  if (interrupted != 1) return;
  interrupted = 2;
  confirmNextQuestion_();
  program_.form.cmdStop.Press();
}

}  // namespace zb
