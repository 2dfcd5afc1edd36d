#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace zb {

struct Version {
  int major = 0;
  int minor = 0;
  int revision = 0;
};

// Facts about the host and the program, and the few host actions that are
// neither files nor dialogs.
class System {
 public:
  virtual ~System() = default;
  // Drive path of the Windows folder, e.g. "C:\WINDOWS".
  virtual std::string WindowsDirectory() = 0;
  // Letters of the drives that exist, lower case, e.g. "cz".
  virtual std::string Drives() = 0;
  virtual std::string ProgramTitle() = 0;
  virtual Version ProgramVersion() = 0;
  // Drive path of the folder that holds the program.
  virtual std::string ProgramFolder() = 0;
  // Drive path of the folder where the program's documents are installed.
  virtual std::string DocumentFolder() = 0;
  virtual std::chrono::system_clock::time_point Now() = 0;
  // Lets pending user input run (a pressed Stop button, say).
  virtual void YieldToEvents() = 0;
  virtual void TrimWorkingSet() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  // A string value of the registry; empty when it cannot be read.
  virtual std::optional<std::string> ReadRegistryString(const std::string& root,
                                                        const std::string& key,
                                                        const std::string& value) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // False when the program cannot be started.
  virtual bool StartProgram(const std::string& path) = 0;
  // Ends the program at once, without the window's exit steps.
  [[noreturn]] virtual void EndProgram(int exitCode) = 0;
};

}  // namespace zb
