#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <cctype>

#include "cli/cli_options.h"
#include "cli/cli_progress.h"
#include "cli/saved_options_help.h"
#include "cli/terminal_dialogs.h"
#include "cli/terminal_text.h"
#include "scan/run_stop.h"
#include "window/form_lifecycle.h"
#include "window/path_fields.h"
#include "window/program.h"

namespace zb {
namespace {

constexpr int kStoppedExit = 130;

// The program opens results only when asked to.
class OptionalShell : public Shell {
 public:
  OptionalShell(Shell& host, bool enabled) : host_(host), enabled_(enabled) {}
  void Open(const std::string& verb, const std::string& document,
            const std::string& workingFolder) override {
    if (enabled_) host_.Open(verb, document, workingFolder);
  }

 private:
  Shell& host_;
  bool enabled_;
};

bool LooksLikeDrivePath(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

int ExitCodeOf(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kCompleted:
      return 0;
    case RunOutcome::kStopped:
      return kStoppedExit;
    case RunOutcome::kFailed:
      return 1;
    default:
      return 2;
  }
}

}  // namespace

int RunCommandLine(CommandLineHost& host, std::span<char*> arguments) {
  Terminal& terminal = host.terminal();
  const bool interactive = terminal.Answerable();
  CliOptions options;
  CLI::App app{"Zorbelle: gathers every picture under a folder into browsable HTML pages."};
  AddCliOptions(app, options);
  app.footer([&host] {
    return SavedOptionsHelp([&host](Dialogs& dialogs) { return host.With(dialogs); });
  });
  try {
    app.parse(static_cast<int>(arguments.size()), arguments.data());
  } catch (const CLI::ParseError& e) {
    // --help is no error; any other parse failure is a usage error.
    return app.exit(e) == 0 ? 0 : 2;
  }
  TerminalDialogs dialogs({terminal, interactive, options.yes, options.deleteCrashPicture});
  const Platform services = host.With(dialogs);
  OptionalShell shell(services.shell, options.openResults);
  Platform platform = services.With(shell);
  Program program(platform);
  Form_Load(program);
  Form_Activate(program);
  if (host.StopRequested()) return kStoppedExit;  // before anything was written

  const std::optional<std::string> folder =
      LooksLikeDrivePath(options.folder) ? options.folder : host.DrivePathOf(options.folder);
  ApplyCliOptions(options, program.form);
  if (!folder || !MoveFolderList(program, *folder)) {
    terminal.Write(Terminal::Stream::kError, "zorbelle-cli: " + ForTerminal(options.folder) + ": " +
                                                 host.WhyNotAFolder(options.folder, folder) + "\n");
    return 2;
  }

  // A stop request is a confirmed stop, acted on at the run's next yield.
  host.SetYieldHook([&] {
    if (host.StopRequested()) ConfirmStop(program.session);
  });
  std::optional<CliProgress> progress;
  if (terminal.Shows(Terminal::Stream::kError)) progress.emplace(program, terminal);
  program.form.cmdStart.Press();
  if (progress) progress->Finish();
  // A request after the last yield (at the last file's question, say) found
  // the walk done; the run was still stopped by it.
  if (host.StopRequested() && program.session.lastOutcome == RunOutcome::kCompleted) {
    program.session.lastOutcome = RunOutcome::kStopped;
  }

  if (program.session.lastOutcome == RunOutcome::kCompleted ||
      program.session.lastOutcome == RunOutcome::kStopped) {
    terminal.Write(Terminal::Stream::kError, ForTerminal(program.form.LblComment.Caption()) + "\n");
    if (program.form.chkGazoHtml.Value() == 1) {
      const std::string list = host.Shown(program.session.run.ListPath);
      const bool shown = terminal.Shows(Terminal::Stream::kOutput);
      terminal.Write(Terminal::Stream::kOutput, (shown ? ForTerminal(list) : list) + "\n");
    }
  }
  host.SetYieldHook({});
  return ExitCodeOf(program.session.lastOutcome);
}

}  // namespace zb
