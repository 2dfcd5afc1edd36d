// zorbelle-cli.exe: the main window's behaviour without a window, on Windows.
#include "platform/win32/windows_api.h"
// windows.h first: the shell's header needs its types.
#include <shellapi.h>

#include <memory>
#include <vector>

#include "cli/command_line.h"
#include "platform/win32/console_stop.h"
#include "platform/win32/console_terminal.h"
#include "platform/win32/long_path.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_system.h"

namespace {

// On Windows a path typed on the command line is already a drive path, once
// made whole.
class Win32CommandLineHost : public zb::CommandLineHost {
 public:
  zb::Platform With(zb::Dialogs& dialogs) override { return platform_.With(dialogs); }
  zb::Terminal& terminal() override { return terminal_; }
  bool StopRequested() override { return stop_.Requested(); }
  void SetYieldHook(std::function<void()> hook) override {
    platform_.system().SetYieldHook(std::move(hook));
  }
  std::optional<std::string> DrivePathOf(const std::string& typed) override {
    const std::wstring wide = zb::WideFromUtf8(typed);
    std::wstring whole(MAX_PATH, L'\0');
    for (;;) {
      const DWORD length =
          GetFullPathNameW(wide.c_str(), static_cast<DWORD>(whole.size()), whole.data(), nullptr);
      if (length == 0) return std::nullopt;
      if (length < whole.size()) {
        whole.resize(length);
        break;
      }
      whole.resize(length);
    }
    std::string path = zb::DrivePathFromSystem(whole);
    // A share has no drive letter for the pages' links.
    if (path.size() < 3 || path[1] != ':') return std::nullopt;
    return path;
  }
  std::string Shown(const std::string& drivePath) override { return drivePath; }
  std::string WhyNotAFolder(const std::string& typed,
                            const std::optional<std::string>& drivePath) override {
    if (!drivePath) {
      return typed.starts_with("\\\\") ? "a network share: map it to a drive letter first"
                                       : "no such folder";
    }
    const DWORD attributes = GetFileAttributesW(zb::LongPathOf(*drivePath).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return "no such folder";
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return "a file, not a folder";
    return "this folder cannot be read";
  }

 private:
  zb::Win32Platform platform_;
  zb::ConsoleStop stop_;
  zb::ConsoleTerminal terminal_{GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE),
                                GetStdHandle(STD_ERROR_HANDLE), stop_.WakeEvent()};
};

// The arguments as typed, whatever the code page: the narrow ones main gets
// have lost what the code page cannot hold.
std::vector<std::string> Utf8Arguments() {
  int count = 0;
  std::unique_ptr<wchar_t*, decltype(&LocalFree)> wide(
      CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
  std::vector<std::string> arguments;
  for (int i = 0; wide && i < count; ++i) arguments.push_back(zb::Utf8FromWide(wide.get()[i]));
  return arguments;
}

// The help text is UTF-8; the console shows it as such while the program runs.
class ConsoleOutputInUtf8 {
 public:
  ConsoleOutputInUtf8() : previous_(GetConsoleOutputCP()) { SetConsoleOutputCP(CP_UTF8); }
  ~ConsoleOutputInUtf8() {
    if (previous_ != 0) SetConsoleOutputCP(previous_);
  }

 private:
  UINT previous_;
};

}  // namespace

int main() {
  std::vector<std::string> arguments = Utf8Arguments();
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  const ConsoleOutputInUtf8 utf8;
  Win32CommandLineHost host;
  return zb::RunCommandLine(host, pointers);
}
