#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>

#include "platform/platform.h"
#include "platform/terminal.h"

namespace zb {

// What a command line needs of the system it runs on, beyond the host
// services: its terminal, its stop requests and its own spelling of paths.
class CommandLineHost {
 public:
  virtual ~CommandLineHost() = default;
  // The host services around the dialogs they are handed.
  virtual Platform With(Dialogs& dialogs) = 0;
  virtual Terminal& terminal() = 0;
  // Whether the user asked the run to stop (Ctrl-C, say).
  virtual bool StopRequested() = 0;
  // What the run's yields call.
  virtual void SetYieldHook(std::function<void()> hook) = 0;
  // The drive path of a folder as typed; empty when it has none.
  virtual std::optional<std::string> DrivePathOf(const std::string& typed) = 0;
  // The drive path as this system shows a path to its user.
  virtual std::string Shown(const std::string& drivePath) = 0;
  // Why the typed folder, which the folder list refused, cannot be searched.
  virtual std::string WhyNotAFolder(const std::string& typed,
                                    const std::optional<std::string>& drivePath) = 0;
};

// The whole program: parses the arguments (UTF-8, the program's name
// first), runs once and returns the exit code.
int RunCommandLine(CommandLineHost& host, std::span<char*> arguments);

}  // namespace zb
