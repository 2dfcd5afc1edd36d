#include "platform/win32/win32_system.h"

#include <gtest/gtest.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"
#include "text/letter_case.h"

namespace zb {
namespace {

TEST(Win32SystemTest, DrivesAndFoldersAreTheSystemsOwn) {
  Win32System system;
  const std::string drives = system.Drives();
  EXPECT_NE(drives.find('c'), std::string::npos) << drives;
  for (char letter : drives) EXPECT_TRUE(letter >= 'a' && letter <= 'z') << drives;

  const std::string windows = system.WindowsDirectory();
  EXPECT_TRUE(EqualsIgnoreCase(windows.substr(1), ":\\windows")) << windows;
  EXPECT_TRUE(drives.find(LowerAscii(windows[0])) != std::string::npos);

  // The tests run from the build tree: the folder holds this program.
  const std::string folder = system.ProgramFolder();
  EXPECT_TRUE(system.FileExists(folder + "\\zorbelle_tests.exe")) << folder;
  EXPECT_FALSE(system.FileExists(folder));  // a folder is no file
  EXPECT_FALSE(system.FileExists(folder + "\\missing.exe"));
  EXPECT_EQ(system.DocumentFolder(), folder);
}

TEST(Win32SystemTest, ReadsStringValuesOfTheRegistryAndNothingElse) {
  const wchar_t* key = L"Software\\ZorbelleSystemTest";
  HKEY opened = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened,
                            nullptr),
            ERROR_SUCCESS);
  const std::wstring path = L"C:\\Program Files\\\u60c5\u5831\\msinfo32.exe";
  RegSetValueExW(opened, L"Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                 static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
  const DWORD number = 7;
  RegSetValueExW(opened, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                 sizeof number);
  RegCloseKey(opened);

  Win32System system;
  EXPECT_EQ(system.ReadRegistryString("HKEY_CURRENT_USER", "Software\\ZorbelleSystemTest", "PATH"),
            Utf8FromWide(path));
  EXPECT_EQ(
      system.ReadRegistryString("HKEY_CURRENT_USER", "Software\\ZorbelleSystemTest", "Number"),
      std::nullopt);
  EXPECT_EQ(
      system.ReadRegistryString("HKEY_CURRENT_USER", "Software\\ZorbelleSystemTest", "Missing"),
      std::nullopt);
  EXPECT_EQ(system.ReadRegistryString("HKEY_NOWHERE", "Software\\ZorbelleSystemTest", "Path"),
            std::nullopt);
  RegDeleteTreeW(HKEY_CURRENT_USER, key);
}

TEST(Win32SystemTest, PathsTheSystemGivesLoseTheirLongForm) {
  EXPECT_EQ(DrivePathFromSystem(L"\\\\?\\C:\\pics"), "C:\\pics");
  EXPECT_EQ(DrivePathFromSystem(L"\\\\?\\UNC\\server\\share"), "\\\\server\\share");
  EXPECT_EQ(DrivePathFromSystem(L"C:\\pics"), "C:\\pics");
}

}  // namespace
}  // namespace zb
