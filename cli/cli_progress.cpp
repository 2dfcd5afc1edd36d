#include "cli/cli_progress.h"

#include "window/program.h"

namespace zb {

CliProgress::CliProgress(Program& program, std::FILE* out)
    : program_(program),
      out_(out),
      observer_(program.form.LblFileCount.Observe([this] { Show(); })) {}

CliProgress::~CliProgress() { program_.form.LblFileCount.Unobserve(observer_); }

void CliProgress::Show() {
  const auto now = std::chrono::steady_clock::now();
  if (shown_ && now - last_ < std::chrono::milliseconds(100)) return;
  last_ = now;
  shown_ = true;
  const RunContext& run = program_.session.run;
  std::fprintf(out_, "\r%d files, %d pictures, depth %d   ", run.FileCount, run.ImageCount,
               run.MaxDepth);
  std::fflush(out_);
}

void CliProgress::Finish() {
  if (!shown_) return;
  last_ = {};
  Show();
  std::fputc('\n', out_);
  shown_ = false;
}

}  // namespace zb
