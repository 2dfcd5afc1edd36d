#pragma once

#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace zb {

// For tests: a program beside the test program, its input empty and its
// output streams kept in files of a folder, in a process group of its own
// so that a Ctrl-Break reaches it alone.
class Win32ChildProcess {
 public:
  Win32ChildProcess(const std::string& program, const std::vector<std::string>& args,
                    const std::string& outputFolder)
      : outPath_(outputFolder + "\\child.out"), errPath_(outputFolder + "\\child.err") {
    std::wstring commandLine = L"\"" + Beside(program) + L"\"";
    for (const std::string& arg : args) commandLine += L" \"" + WideFromUtf8(arg) + L"\"";
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    UniqueHandle in(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                &inherited, OPEN_EXISTING, 0, nullptr));
    UniqueHandle out(CreateFileW(WideFromUtf8(outPath_).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                 &inherited, CREATE_ALWAYS, 0, nullptr));
    UniqueHandle err(CreateFileW(WideFromUtf8(errPath_).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                 &inherited, CREATE_ALWAYS, 0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.get();
    startup.hStdOutput = out.get();
    startup.hStdError = err.get();
    PROCESS_INFORMATION started{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &startup, &started)) {
      process_.reset(started.hProcess);
      CloseHandle(started.hThread);
      id_ = started.dwProcessId;
    }
  }
  ~Win32ChildProcess() {
    if (process_ && Wait(0) == STILL_ACTIVE) TerminateProcess(process_.get(), 1);
  }

  bool Started() const { return static_cast<bool>(process_); }
  DWORD Id() const { return id_; }
  // The exit code, or STILL_ACTIVE when it runs on past the patience.
  DWORD Wait(DWORD patienceMs = 120000) const {
    WaitForSingleObject(process_.get(), patienceMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.get(), &code);
    return code;
  }
  std::string Out() const { return Read(outPath_); }
  std::string Err() const { return Read(errPath_); }

 private:
  static std::wstring Beside(const std::string& program) {
    wchar_t self[MAX_PATH];
    std::wstring folder(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + WideFromUtf8(program);
  }
  static std::string Read(const std::string& path) {
    UniqueHandle file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                  nullptr));
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (file && ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
      text.append(buffer, read);
    }
    return text;
  }

  std::string outPath_;
  std::string errPath_;
  UniqueHandle process_;
  DWORD id_ = 0;
};

}  // namespace zb
