#pragma once

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <thread>

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace zb {

// For tests: a fresh folder under the user's temporary folder, removed
// afterwards with everything in it. Paths are drive paths in UTF-8.
class Win32TestFolder {
 public:
  // named: a fixed name, so that a death test's child finds its parent's.
  explicit Win32TestFolder(std::string named = {}) {
    wchar_t temp[MAX_PATH + 1];
    const DWORD size = GetTempPathW(MAX_PATH + 1, temp);
    if (named.empty()) named = "zorbelle-" + std::to_string(std::random_device()());
    path_ = Utf8FromWide({temp, size}) + named;
    std::filesystem::create_directories(Native(""));
  }
  // Under Wine removed by the host, which follows no link out of the folder
  // nor round a loop of links.
  ~Win32TestFolder() {
    const std::wstring folder = Native("").wstring();
    const std::wstring unixPath = UnixPath(folder);
    std::error_code ignored;
    if (unixPath.empty() || !RunUnix(L"Z:\\bin\\rm -rf \"" + unixPath + L"\"", folder, false)) {
      std::filesystem::remove_all(folder, ignored);
    }
  }
  Win32TestFolder(const Win32TestFolder&) = delete;
  Win32TestFolder& operator=(const Win32TestFolder&) = delete;

  const std::string& path() const { return path_; }
  // relative uses "\" between names.
  std::string At(std::string_view relative) const {
    return relative.empty() ? path_ : path_ + "\\" + std::string(relative);
  }
  std::filesystem::path Native(std::string_view relative) const {
    return std::filesystem::path(L"\\\\?\\" + WideFromUtf8(At(relative)));
  }

  std::string Put(std::string_view relative, std::string_view contents = {}) const {
    std::filesystem::create_directories(Native(relative).parent_path());
    std::ofstream(Native(relative), std::ios::binary) << contents;
    return At(relative);
  }
  std::string MakeFolder(std::string_view relative) const {
    std::filesystem::create_directories(Native(relative));
    return At(relative);
  }
  std::string Contents(std::string_view relative) const {
    std::ifstream in(Native(relative), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // The names in a folder, temporary ones included.
  std::size_t Entries(std::string_view relative) const {
    return std::distance(std::filesystem::directory_iterator(Native(relative)), {});
  }
  // Listed, as Wine's FIFOs are, though it will not give their attributes.
  bool Exists(std::string_view relative) const { return Listed(Native(relative).wstring()); }

  // A link at relative to target (an absolute drive path), made as Windows
  // would, else as a Unix link, which Wine lists as a reparse point when it
  // leads to a folder. False when the link cannot be made or Wine would not
  // show it as a link.
  bool Link(std::string_view relative, const std::string& target, bool folder) const {
    const std::wstring link = Native(relative).wstring();
    if (CreateSymbolicLinkW(link.c_str(), WideFromUtf8(target).c_str(),
                            folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) &&
        IsReparsePoint(link)) {
      return true;
    }
    return UnixLink(link, WideFromUtf8(target)) && IsReparsePoint(link);
  }

  // A Unix FIFO at relative, which Wine opens as a pipe; false outside Wine.
  bool Fifo(std::string_view relative) const {
    const std::wstring fifo = Native(relative).wstring();
    const std::wstring unixPath = UnixPath(fifo);
    return !unixPath.empty() && RunUnix(L"Z:\\usr\\bin\\mkfifo \"" + unixPath + L"\"", fifo);
  }

  // A junction at relative (an empty folder made here) to the folder target.
  bool Junction(std::string_view relative, const std::string& target) const {
    MakeFolder(relative);
    const HANDLE at =
        CreateFileW(Native(relative).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (at == INVALID_HANDLE_VALUE) return false;
    const std::wstring substitute = L"\\??\\" + WideFromUtf8(target);
    const auto bytes = static_cast<WORD>(substitute.size() * sizeof(wchar_t));
    // The mount-point layout: tag, data length, reserved, then the
    // substitute and print names' offsets and lengths, then the names.
    std::string buffer(16 + bytes + 2 * sizeof(wchar_t), '\0');
    const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
    const WORD fields[] = {static_cast<WORD>(buffer.size() - 8), 0, 0, bytes,
                           static_cast<WORD>(bytes + 2),         0};
    std::memcpy(buffer.data(), &tag, 4);
    std::memcpy(buffer.data() + 4, fields, sizeof fields);
    std::memcpy(buffer.data() + 16, substitute.data(), bytes);
    DWORD returned = 0;
    const bool made =
        DeviceIoControl(at, FSCTL_SET_REPARSE_POINT, buffer.data(),
                        static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr) != 0;
    CloseHandle(at);
    if (!made) RemoveDirectoryW(Native(relative).c_str());
    return made;
  }

 private:
  static bool IsReparsePoint(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  }

  // The Unix path Wine gives a Windows one; empty outside Wine.
  static std::wstring UnixPath(const std::wstring& path) {
    using UnixName = char* (*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixName != nullptr ? unixName(path.c_str()) : nullptr;
    if (name == nullptr) return {};
    std::wstring wide = WideFromUtf8(name);
    HeapFree(GetProcessHeap(), 0, name);
    return wide;
  }

  static bool Listed(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(path.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return true;
  }

  // Runs a host program through Wine, which starts Unix programs too, until
  // path is listed (or gone): Wine does not wait for a Unix program to end.
  static bool RunUnix(std::wstring command, const std::wstring& path, bool listed = true) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
      return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int wait = 0; wait < 250; ++wait) {
      if (Listed(path) == listed) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  static bool UnixLink(const std::wstring& link, const std::wstring& target) {
    const std::wstring from = UnixPath(link);
    const std::wstring to = UnixPath(target);
    return !from.empty() && !to.empty() &&
           RunUnix(L"Z:\\bin\\ln -s \"" + to + L"\" \"" + from + L"\"", link);
  }

  std::string path_;
};

}  // namespace zb
