#pragma once

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/file_system.h"
#include "platform/system.h"

namespace zb {

// What EndProgram throws, so a test sees the program end without it ending.
// Deliberately no std::exception: the program's error traps must not catch it.
struct FakeProgramEnded {
  int exitCode = 0;
};

// A host with fixed facts and a clock that moves only when told. A file
// exists when the file system holds it as a file.
class FakeSystem : public System {
 public:
  explicit FakeSystem(FileSystem& files) : files_(files) {}

  std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
  std::string Drives() override { return "c"; }
  std::string ProgramTitle() override { return "Zorbelle"; }
  Version ProgramVersion() override { return {4, 2, 1}; }
  std::string ProgramFolder() override { return "C:\\Program Files\\Zorbelle"; }
  std::string DocumentFolder() override { return "C:\\Program Files\\Zorbelle\\doc"; }
  std::chrono::system_clock::time_point Now() override { return now; }
  void YieldToEvents() override;
  void TrimWorkingSet() override { ++trims; }
  void SetClipboardText(const std::string& text) override { clipboard = text; }
  std::optional<std::string> ReadRegistryString(const std::string& root, const std::string& key,
                                                const std::string& value) override;
  bool FileExists(const std::string& path) override;
  bool StartProgram(const std::string& path) override;
  [[noreturn]] void EndProgram(int exitCode) override;

  std::chrono::system_clock::time_point now{};
  // Runs at every yield: where a test presses Stop in the middle of a run.
  std::function<void()> onYield;
  int yields = 0;
  int trims = 0;
  std::string clipboard;
  std::map<std::tuple<std::string, std::string, std::string>, std::string> registry;
  std::vector<std::string> startedPrograms;
  bool programsStart = true;

 private:
  FileSystem& files_;
};

}  // namespace zb
