// zorbelle-cli: the main window's behaviour without a window.
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <optional>

#include "cli/cli_options.h"
#include "cli/cli_progress.h"
#include "cli/saved_options_help.h"
#include "cli/terminal_dialogs.h"
#include "cli/terminal_text.h"
#include "platform/posix/posix_platform.h"
#include "platform/posix/posix_terminal.h"
#include "platform/posix/stop_signals.h"
#include "scan/run_stop.h"
#include "window/form_lifecycle.h"
#include "window/path_fields.h"
#include "window/program.h"

namespace {

constexpr int kStoppedExit = 130;

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

// Why FOLDER, which the folder list refused, cannot be searched.
std::string WhyNotAFolder(const std::string& given, const std::optional<std::string>& host) {
  struct stat status;
  if (!host || stat(host->c_str(), &status) != 0) {
    if (!LooksLikeDrivePath(given) && stat(given.c_str(), &status) == 0) {
      if (!S_ISDIR(status.st_mode)) return "a file, not a folder";
      if (given.find('\\') != std::string::npos) {
        return "a name in this path holds '\\', which a drive path cannot show";
      }
      return "outside every drive (see ZORBELLE_DRIVES)";
    }
    return "no such folder";
  }
  return S_ISDIR(status.st_mode) ? "this folder cannot be read" : "a file, not a folder";
}

int ExitCodeOf(zb::RunOutcome outcome) {
  switch (outcome) {
    case zb::RunOutcome::kCompleted:
      return 0;
    case zb::RunOutcome::kStopped:
      return kStoppedExit;
    case zb::RunOutcome::kFailed:
      return 1;
    default:
      return 2;
  }
}

}  // namespace

int main(int argc, char** argv) {
  zb::PosixPlatform host;
  zb::StopSignals stopSignals;
  zb::PosixTerminal terminal(STDIN_FILENO, STDERR_FILENO, stopSignals.WakeFd());
  const bool interactive = terminal.Answerable();
  zb::CliOptions options;
  CLI::App app{"Zorbelle: gathers every picture under a folder into browsable HTML pages."};
  zb::AddCliOptions(app, options);
  app.footer([&host] {
    return zb::SavedOptionsHelp([&host](zb::Dialogs& dialogs) { return host.With(dialogs); });
  });
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // --help is no error; any other parse failure is a usage error.
    return app.exit(e) == 0 ? 0 : 2;
  }
  zb::TerminalDialogs dialogs(
      {terminal, stderr, interactive, options.yes, options.deleteCrashPicture});
  zb::Platform services = host.With(dialogs);
  OptionalShell shell(services.shell, options.openResults);
  zb::Platform platform = services.With(shell);
  zb::Program program(platform);
  zb::Form_Load(program);
  zb::Form_Activate(program);
  if (stopSignals.Requested()) return kStoppedExit;  // before anything was written

  const std::optional<std::string> folder =
      LooksLikeDrivePath(options.folder) ? options.folder : host.paths().ToDrive(options.folder);
  zb::ApplyCliOptions(options, program.form);
  if (!folder || !zb::MoveFolderList(program, *folder)) {
    const std::optional<std::string> hostFolder =
        folder ? host.paths().ToHost(*folder) : std::nullopt;
    std::fprintf(stderr, "zorbelle-cli: %s: %s\n", zb::ForTerminal(options.folder).c_str(),
                 WhyNotAFolder(options.folder, hostFolder).c_str());
    return 2;
  }

  // A signal is a confirmed stop, acted on at the run's next yield.
  host.system().SetYieldHook([&] {
    if (stopSignals.Requested()) zb::ConfirmStop(program.session);
  });
  std::optional<zb::CliProgress> progress;
  if (isatty(STDERR_FILENO)) progress.emplace(program, stderr);
  program.form.cmdStart.Press();
  if (progress) progress->Finish();
  // A signal after the last yield (at the last file's question, say) found
  // the walk done; the run was still stopped by it.
  if (stopSignals.Requested() && program.session.lastOutcome == zb::RunOutcome::kCompleted) {
    program.session.lastOutcome = zb::RunOutcome::kStopped;
  }

  if (program.session.lastOutcome == zb::RunOutcome::kCompleted ||
      program.session.lastOutcome == zb::RunOutcome::kStopped) {
    std::fprintf(stderr, "%s\n", zb::ForTerminal(program.form.LblComment.Caption()).c_str());
    if (program.form.chkGazoHtml.Value() == 1) {
      const std::string list =
          host.paths().ToHost(program.session.run.ListPath).value_or(program.session.run.ListPath);
      std::printf("%s\n", isatty(STDOUT_FILENO) ? zb::ForTerminal(list).c_str() : list.c_str());
    }
  }
  return ExitCodeOf(program.session.lastOutcome);
}
