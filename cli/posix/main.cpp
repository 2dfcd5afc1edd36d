// zorbelle-cli: the main window's behaviour without a window.
#include <sys/stat.h>
#include <unistd.h>

#include "cli/command_line.h"
#include "platform/posix/posix_platform.h"
#include "platform/posix/posix_terminal.h"
#include "platform/posix/stop_signals.h"

namespace {

// Host paths from the command line become drive paths of the drive table.
class PosixCommandLineHost : public zb::CommandLineHost {
 public:
  zb::Platform With(zb::Dialogs& dialogs) override { return platform_.With(dialogs); }
  zb::Terminal& terminal() override { return terminal_; }
  bool StopRequested() override { return stopSignals_.Requested(); }
  void SetYieldHook(std::function<void()> hook) override {
    platform_.system().SetYieldHook(std::move(hook));
  }
  std::optional<std::string> DrivePathOf(const std::string& typed) override {
    return platform_.paths().ToDrive(typed);
  }
  std::string Shown(const std::string& drivePath) override {
    return platform_.paths().ToHost(drivePath).value_or(drivePath);
  }
  std::string WhyNotAFolder(const std::string& typed,
                            const std::optional<std::string>& drivePath) override {
    const std::optional<std::string> host =
        drivePath ? platform_.paths().ToHost(*drivePath) : std::nullopt;
    struct stat status;
    if (host && stat(host->c_str(), &status) == 0) {
      return S_ISDIR(status.st_mode) ? "this folder cannot be read" : "a file, not a folder";
    }
    if (drivePath != typed && stat(typed.c_str(), &status) == 0) {
      if (!S_ISDIR(status.st_mode)) return "a file, not a folder";
      if (typed.find('\\') != std::string::npos) {
        return "a name in this path holds '\\', which a drive path cannot show";
      }
      return "outside every drive (see ZORBELLE_DRIVES)";
    }
    return "no such folder";
  }

 private:
  zb::PosixPlatform platform_;
  zb::StopSignals stopSignals_;
  zb::PosixTerminal terminal_{STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO, stopSignals_.WakeFd()};
};

}  // namespace

int main(int argc, char** argv) {
  PosixCommandLineHost host;
  return zb::RunCommandLine(host, {argv, static_cast<std::size_t>(argc)});
}
