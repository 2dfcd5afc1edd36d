#include "platform/win32/win32_system.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/version.h"
#include "platform/win32/long_path.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"
#include "text/letter_case.h"

namespace zb {
namespace {

// Calls fill(buffer, size), which returns the length it needs or wrote, with
// a buffer that grows until the text fits.
template <typename Fill>
std::wstring GrownText(Fill fill) {
  std::wstring text(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = fill(text.data(), static_cast<DWORD>(text.size()));
    if (length == 0) return {};
    if (length < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(text.size() * 2);
  }
}

// A cut name reports the whole buffer, which asks again with more room.
std::wstring ModuleFileName() {
  return GrownText(
      [](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
}

std::optional<HKEY> RootKey(const std::string& root) {
  if (EqualsIgnoreCase(root, "HKEY_LOCAL_MACHINE")) return HKEY_LOCAL_MACHINE;
  if (EqualsIgnoreCase(root, "HKEY_CURRENT_USER")) return HKEY_CURRENT_USER;
  if (EqualsIgnoreCase(root, "HKEY_CLASSES_ROOT")) return HKEY_CLASSES_ROOT;
  return std::nullopt;
}

}  // namespace

std::string DrivePathFromSystem(std::wstring_view path) {
  if (path.starts_with(L"\\\\?\\UNC\\")) return "\\\\" + Utf8FromWide(path.substr(8));
  if (path.starts_with(L"\\\\?\\")) path.remove_prefix(4);
  return Utf8FromWide(path);
}

std::string Win32System::WindowsDirectory() {
  return DrivePathFromSystem(
      GrownText([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); }));
}

std::string Win32System::Drives() {
  std::string letters;
  const DWORD drives = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if ((drives >> i) & 1) letters += static_cast<char>('a' + i);
  }
  return letters;
}

Version Win32System::ProgramVersion() {
  return {ZORBELLE_VERSION_MAJOR, ZORBELLE_VERSION_MINOR, ZORBELLE_VERSION_REVISION};
}

std::string Win32System::ProgramFolder() {
  const std::wstring program = ModuleFileName();
  const std::size_t slash = program.find_last_of(L'\\');
  return slash == std::wstring::npos ? std::string()
                                     : DrivePathFromSystem(program.substr(0, slash));
}

std::chrono::system_clock::time_point Win32System::Now() {
  return std::chrono::system_clock::now();
}

void Win32System::YieldToEvents() {
  if (yieldHook_) yieldHook_();
}

void Win32System::TrimWorkingSet() {
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

void Win32System::SetClipboardText(const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return;
  if (void* place = GlobalLock(memory)) {
    std::memcpy(place, wide.c_str(), bytes);
    GlobalUnlock(memory);
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      // The clipboard owns the memory once it takes it.
      if (SetClipboardData(CF_UNICODETEXT, memory) != nullptr) memory = nullptr;
      CloseClipboard();
    }
  }
  if (memory != nullptr) GlobalFree(memory);
}

std::optional<std::string> Win32System::ReadRegistryString(const std::string& root,
                                                           const std::string& key,
                                                           const std::string& value) {
  const std::optional<HKEY> rootKey = RootKey(root);
  if (!rootKey || key.find('\0') != std::string::npos || value.find('\0') != std::string::npos) {
    return std::nullopt;
  }
  const std::wstring wideKey = WideFromUtf8(key);
  const std::wstring wideValue = WideFromUtf8(value);
  // An expandable string comes expanded, as a plain one.
  constexpr DWORD kStrings = RRF_RT_REG_SZ;
  DWORD bytes = 0;
  if (RegGetValueW(*rootKey, wideKey.c_str(), wideValue.c_str(), kStrings, nullptr, nullptr,
                   &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegGetValueW(*rootKey, wideKey.c_str(), wideValue.c_str(), kStrings, nullptr, text.data(),
                   &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  text.resize(wcsnlen(text.c_str(), text.size()));
  return Utf8FromWide(text);
}

bool Win32System::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(LongPathOf(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32System::StartProgram(const std::string& path) {
  const std::wstring program = WideFromUtf8(path);
  // The program's name is its first argument, quoted for the spaces of
  // "Program Files".
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &started)) {
    return false;
  }
  UniqueHandle process(started.hProcess);
  UniqueHandle thread(started.hThread);
  return true;
}

void Win32System::EndProgram(int exitCode) {
  std::fflush(nullptr);
  std::exit(exitCode);
}

}  // namespace zb
