#include "cli/cli_progress.h"

#include <string>

#include "window/program.h"

namespace zb {

CliProgress::CliProgress(Program& program, Terminal& terminal)
    : program_(program),
      terminal_(terminal),
      observer_(program.form.LblFileCount.Observe([this] { Show(); })) {}

CliProgress::~CliProgress() { program_.form.LblFileCount.Unobserve(observer_); }

void CliProgress::Show() {
  const auto now = std::chrono::steady_clock::now();
  if (shown_ && now - last_ < std::chrono::milliseconds(100)) return;
  last_ = now;
  shown_ = true;
  const RunContext& run = program_.session.run;
  terminal_.Write(Terminal::Stream::kError, "\r" + std::to_string(run.FileCount) + " files, " +
                                                std::to_string(run.ImageCount) +
                                                " pictures, depth " + std::to_string(run.MaxDepth) +
                                                "   ");
}

void CliProgress::Finish() {
  if (!shown_) return;
  last_ = {};
  Show();
  terminal_.Write(Terminal::Stream::kError, "\n");
  shown_ = false;
}

}  // namespace zb
