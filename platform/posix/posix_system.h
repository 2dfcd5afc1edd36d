#pragma once

#include <functional>
#include <string>

#include "platform/posix/detached_spawner.h"
#include "platform/posix/drive_paths.h"
#include "platform/system.h"

namespace zb {

// Facts about the host and the program, with the host's drives as the
// drive table presents them.
class PosixSystem : public System {
 public:
  // searchPath: where to look for a system-information program, as $PATH.
  PosixSystem(DrivePaths& paths, std::string searchPath)
      : paths_(paths), searchPath_(std::move(searchPath)) {}

  // "C:\WINDOWS", or the table's first drive's when there is no C:.
  std::string WindowsDirectory() override;
  std::string Drives() override;
  std::string ProgramTitle() override { return "Zorbelle"; }
  Version ProgramVersion() override;
  std::string ProgramFolder() override;
  // share/doc/zorbelle beside the bin folder that holds the program.
  std::string DocumentFolder() override;
  std::chrono::system_clock::time_point Now() override;
  void YieldToEvents() override;
  // Hands unused heap back to the host.
  void TrimWorkingSet() override;
  // Without a window there is no clipboard to put the text on.
  void SetClipboardText(const std::string&) override {}
  // Answers the one value the program asks for, the system-information
  // program: hardinfo, kinfocenter or gnome-system-monitor, as a drive path.
  std::optional<std::string> ReadRegistryString(const std::string& root, const std::string& key,
                                                const std::string& value) override;
  // True for an entry that is not a folder.
  bool FileExists(const std::string& path) override;
  bool StartProgram(const std::string& path) override;
  [[noreturn]] void EndProgram(int exitCode) override;

  // What YieldToEvents runs; the window or the command line sets it.
  void SetYieldHook(std::function<void()> hook) { yieldHook_ = std::move(hook); }

 private:
  DrivePaths& paths_;
  std::string searchPath_;
  std::function<void()> yieldHook_;
  DetachedSpawner spawner_;
};

}  // namespace zb
