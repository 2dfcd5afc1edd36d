// zorbelle-cli.exe as a Windows user runs it: a child process over real
// folders, its settings in the registry.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/crash_marker_store.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/testing/bmp_for_test.h"
#include "platform/win32/testing/win32_process_for_test.h"
#include "platform/win32/testing/win32_test_folder.h"

namespace zb {
namespace {

using testing::HasSubstr;

struct Finished {
  DWORD exitCode;
  std::string out;
  std::string err;
};

Finished RunCli(const Win32TestFolder& folder, const std::vector<std::string>& args) {
  const Win32ChildProcess cli("zorbelle-cli.exe", args, folder.MakeFolder("streams"));
  EXPECT_TRUE(cli.Started());
  const DWORD exitCode = cli.Wait();
  return {exitCode, cli.Out(), cli.Err()};
}

// The registry alone holds what the window saved and the run's crash marker.
TEST(WindowsCli, WritesThePagesWithTheOptionsTheRegistryHolds) {
  Win32TestFolder folder;
  RegistrySettingsStore settings;
  settings.Write("Zorbelle", "CheckBox Value", "hscGazoSuu", "7");
  settings.Write("Zorbelle", "CheckBox Value", "chkSameDir", "1");
  const Finished help = RunCli(folder, {"--help"});
  EXPECT_THAT(help.out, HasSubstr("--per-page 7"));
  EXPECT_THAT(help.out, HasSubstr("--same-folder"));

  folder.Put("pics\\a.gif", std::string("GIF89a\xC8\0\x64\0", 10));
  folder.Put("pics\\\xE5\x86\x99\xE7\x9C\x9F.gif", std::string("GIF89a\x20\0\x10\0", 10));
  const Finished run = RunCli(folder, {"--yes", "--gallery", "--no-thumbnails", folder.At("pics")});
  ASSERT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_EQ(run.out, folder.At("pics\\_gazlist.htm") + "\n");
  const std::string reduced = folder.Contents("pics\\_gaz0000.html");
  EXPECT_THAT(reduced, HasSubstr("a.gif\" width= 100 height= 50"));
  EXPECT_THAT(reduced, HasSubstr("\x8E\xCA\x90\x5E.gif\" width= 32 height= 16"));
  EXPECT_EQ(settings.Read("Zorbelle", kCrashMarkerSection, kCrashMarkerKey, "none"), "");
  settings.Write("Zorbelle", "CheckBox Value", "hscGazoSuu", "100");
}

// Wine shows a link to a folder as a reparse point, not one to a file.
TEST(WindowsCli, AnOutputNameHeldByALinkEndsTheRunAndIsLeftAlone) {
  Win32TestFolder folder;
  folder.Put("pics\\a.gif", std::string("GIF89a\x10\0\x10\0", 10));
  folder.Put("elsewhere\\secret.txt", "secret");
  if (!folder.Link("pics\\_gazlist.htm", folder.At("elsewhere"), true)) {
    GTEST_SKIP() << "no folder links here";
  }
  const Finished run =
      RunCli(folder, {"--yes", "--gallery", "--same-folder", "--no-thumbnails", folder.At("pics")});
  EXPECT_EQ(run.exitCode, 1u) << run.err;
  EXPECT_THAT(run.err, HasSubstr("_gazlist.htm"));
  EXPECT_EQ(folder.Contents("elsewhere\\secret.txt"), "secret");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Native("elsewhere")), {}), 1);
}

TEST(WindowsCli, MakesThumbnailsInHelperProcesses) {
  Win32TestFolder folder;
  const std::vector<std::uint8_t> bmp = BmpOf(400, 300, 24, [](int x, int y) {
    return Rgb{static_cast<std::uint8_t>(x), 90, static_cast<std::uint8_t>(y)};
  });
  folder.Put("pics\\wide.bmp", std::string(bmp.begin(), bmp.end()));
  const Finished run = RunCli(folder, {"--yes", "--gallery", "--same-folder", "--bmp",
                                       "--thumbnails", "--thumbnail", "100", folder.At("pics")});
  ASSERT_EQ(run.exitCode, 0u) << run.err;
  const std::string reduced = folder.Contents("pics\\_gaz0000.html");
  const std::size_t at = reduced.find("_gazthumb/");
  ASSERT_NE(at, std::string::npos) << reduced;
  const std::string name = reduced.substr(at + 10, reduced.find('"', at) - at - 10);
  EXPECT_EQ(folder.Contents("pics\\_gazthumb\\" + name).substr(0, 3), "\xFF\xD8\xFF");
}

}  // namespace
}  // namespace zb
