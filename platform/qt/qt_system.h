#pragma once

#include "platform/system.h"

namespace zb {

// The host's system services, with the clipboard and the event loop of the
// Qt application in place of the host's own.
class QtSystem : public System {
 public:
  explicit QtSystem(System& host) : host_(host) {}

  // Lets pending window events run: a pressed Stop button, a repaint.
  void YieldToEvents() override;
  void SetClipboardText(const std::string& text) override;

  std::string WindowsDirectory() override { return host_.WindowsDirectory(); }
  std::string Drives() override { return host_.Drives(); }
  std::string ProgramTitle() override { return host_.ProgramTitle(); }
  Version ProgramVersion() override { return host_.ProgramVersion(); }
  std::string ProgramFolder() override { return host_.ProgramFolder(); }
  std::string DocumentFolder() override { return host_.DocumentFolder(); }
  std::chrono::system_clock::time_point Now() override { return host_.Now(); }
  void TrimWorkingSet() override { host_.TrimWorkingSet(); }
  std::optional<std::string> ReadRegistryString(const std::string& root, const std::string& key,
                                                const std::string& value) override {
    return host_.ReadRegistryString(root, key, value);
  }
  bool FileExists(const std::string& path) override { return host_.FileExists(path); }
  bool StartProgram(const std::string& path) override { return host_.StartProgram(path); }
  [[noreturn]] void EndProgram(int exitCode) override;

 private:
  System& host_;
};

}  // namespace zb
