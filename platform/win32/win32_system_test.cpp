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
  const std::wstring path = L"C:\\Program Files\\\u60c5\u5831\\msinfo32.exe";
  const DWORD number = 7;
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Path", REG_SZ, path.c_str(),
                            static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Number", REG_DWORD, &number, sizeof number);

  Win32System system;
  const auto read = [&system](const char* root, const char* name) {
    return system.ReadRegistryString(root, "Software\\ZorbelleSystemTest", name);
  };
  EXPECT_EQ(read("HKEY_CURRENT_USER", "PATH"), Utf8FromWide(path));
  EXPECT_EQ(read("HKEY_CURRENT_USER", "Number"), std::nullopt);
  EXPECT_EQ(read("HKEY_CURRENT_USER", "Missing"), std::nullopt);
  EXPECT_EQ(read("HKEY_NOWHERE", "Path"), std::nullopt);
  RegDeleteTreeW(HKEY_CURRENT_USER, key);
}

TEST(Win32SystemTest, PathsTheSystemGivesLoseTheirLongForm) {
  EXPECT_EQ(DrivePathFromSystem(L"\\\\?\\C:\\pics"), "C:\\pics");
  EXPECT_EQ(DrivePathFromSystem(L"\\\\?\\UNC\\server\\share"), "\\\\server\\share");
  EXPECT_EQ(DrivePathFromSystem(L"C:\\pics"), "C:\\pics");
}

}  // namespace
}  // namespace zb
