#include "platform/win32/win32_shell.h"

#include "platform/win32/windows_api.h"
// windows.h first: the shell's header needs its types.
#include <shellapi.h>

#include "platform/win32/wide_text.h"

namespace zb {

void Win32Shell::Open(const std::string& verb, const std::string& document,
                      const std::string& workingFolder) {
  const std::wstring wideVerb = WideFromUtf8(verb);
  const std::wstring wideDocument = WideFromUtf8(document);
  // A working folder that is gone would keep the program from starting.
  const DWORD attributes = GetFileAttributesW(WideFromUtf8(workingFolder).c_str());
  const bool folderThere =
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const std::wstring wideFolder = folderThere ? WideFromUtf8(workingFolder) : std::wstring();
  // Some handlers the shell starts are COM objects on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  ShellExecuteW(nullptr, verb.empty() ? nullptr : wideVerb.c_str(), wideDocument.c_str(), nullptr,
                folderThere ? wideFolder.c_str() : nullptr, SW_SHOWNORMAL);
  if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace zb
