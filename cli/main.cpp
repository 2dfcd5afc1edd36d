// zorbelle-cli: the main window's behaviour without a window.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <optional>
#include <string_view>

#include "cli/cli_options.h"
#include "cli/cli_progress.h"
#include "cli/stop_on_interrupt.h"
#include "cli/terminal_dialogs.h"
#include "platform/posix/posix_platform.h"
#include "platform/posix/thumbnail_worker.h"
#include "run/run_driver.h"
#include "window/form_lifecycle.h"
#include "window/path_fields.h"
#include "window/program.h"

namespace {

// The program opens results only when asked to.
class OptionalShell : public zb::Shell {
 public:
  OptionalShell(zb::Shell& host, bool enabled) : host_(host), enabled_(enabled) {}
  void Open(const std::string& verb, const std::string& document,
            const std::string& workingFolder) override {
    if (enabled_) host_.Open(verb, document, workingFolder);
  }

 private:
  zb::Shell& host_;
  bool enabled_;
};

bool LooksLikeDrivePath(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

int ExitCodeOf(zb::RunOutcome outcome) {
  switch (outcome) {
    case zb::RunOutcome::kCompleted:
      return 0;
    case zb::RunOutcome::kStopped:
      return 130;
    case zb::RunOutcome::kFailed:
      return 1;
    default:
      return 2;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == zb::kThumbnailWorkerArgument) {
    return zb::RunThumbnailWorker(STDIN_FILENO, STDOUT_FILENO);
  }
  CLI::App app{"Zorbelle: gathers every picture under a folder into browsable HTML pages."};
  zb::CliOptions options;
  zb::AddCliOptions(app, options);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // --help is no error; any other parse failure is a usage error.
    return app.exit(e) == 0 ? 0 : 2;
  }

  zb::PosixPlatform host;
  zb::TerminalDialogs dialogs(stdin, stderr, isatty(STDIN_FILENO) && isatty(STDERR_FILENO),
                              options.yes);
  zb::Platform services = host.With(dialogs);
  OptionalShell shell(services.shell, options.openResults);
  zb::Platform platform{services.files, services.encoding, services.settings, dialogs,
                        shell,          services.pictures, services.system,   services.thumbnails};
  zb::Program program(platform);
  zb::Form_Load(program);
  zb::Form_Activate(program);

  const std::string folder = LooksLikeDrivePath(options.folder)
                                 ? options.folder
                                 : host.paths().ToDrive(options.folder).value_or("");
  zb::ApplyCliOptions(options, program.form);
  if (!zb::MoveFolderList(program, folder)) {
    std::fprintf(stderr, "zorbelle-cli: %s: no such folder\n", options.folder.c_str());
    return 2;
  }

  zb::StopOnInterrupt interrupt(program, [&] { dialogs.AnswerNextYes(); });
  host.system().SetYieldHook([&] { interrupt.Poll(); });
  std::optional<zb::CliProgress> progress;
  if (isatty(STDERR_FILENO)) progress.emplace(program, stderr);
  program.form.cmdStart.Press();
  if (progress) progress->Finish();

  if (program.lastOutcome == zb::RunOutcome::kCompleted ||
      program.lastOutcome == zb::RunOutcome::kStopped) {
    std::fprintf(stderr, "%s\n", program.form.LblComment.Caption().c_str());
    if (program.form.chkGazoHtml.Value() == 1) {
      std::printf("%s\n",
                  host.paths().ToHost(program.run.ListPath).value_or(program.run.ListPath).c_str());
    }
  }
  return ExitCodeOf(program.lastOutcome);
}
