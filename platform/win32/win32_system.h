#pragma once

#include <functional>
#include <string>

#include "platform/system.h"

namespace zb {

// Facts about Windows and the program, and the host actions that are
// neither files nor dialogs.
class Win32System : public System {
 public:
  std::string WindowsDirectory() override;
  std::string Drives() override;
  std::string ProgramTitle() override { return "Zorbelle"; }
  Version ProgramVersion() override;
  std::string ProgramFolder() override;
  // The documents are installed beside the program.
  std::string DocumentFolder() override { return ProgramFolder(); }
  std::chrono::system_clock::time_point Now() override;
  void YieldToEvents() override;
  void TrimWorkingSet() override;
  void SetClipboardText(const std::string& text) override;
  // root: "HKEY_LOCAL_MACHINE" or "HKEY_CURRENT_USER".
  std::optional<std::string> ReadRegistryString(const std::string& root, const std::string& key,
                                                const std::string& value) override;
  // True for an entry that is not a folder.
  bool FileExists(const std::string& path) override;
  bool StartProgram(const std::string& path) override;
  [[noreturn]] void EndProgram(int exitCode) override;

  // What YieldToEvents runs; the window or the command line sets it.
  void SetYieldHook(std::function<void()> hook) { yieldHook_ = std::move(hook); }

 private:
  std::function<void()> yieldHook_;
};

// The drive path of a path the system gave, without its long-path prefix.
std::string DrivePathFromSystem(std::wstring_view path);

}  // namespace zb
