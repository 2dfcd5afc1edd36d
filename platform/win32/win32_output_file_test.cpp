#include "platform/win32/win32_output_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/win32/testing/win32_test_folder.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_shift_jis_encoding.h"
#include "platform/win32/windows_api.h"

namespace zb {
namespace {

BOOL WINAPI FailingWrite(HANDLE, LPCVOID, DWORD, LPDWORD done, LPOVERLAPPED) {
  *done = 0;
  SetLastError(ERROR_DISK_FULL);
  return FALSE;
}

class Win32OutputFileTest : public ::testing::Test {
 protected:
  Win32TestFolder folder_;
  Win32ShiftJisEncoding encoding_;
  Win32FileSystem files_{encoding_};
};

TEST_F(Win32OutputFileTest, TheNameKeepsItsOldTextUntilCloseAndItsSpelling) {
  folder_.Put("out\\Page.htm", "old");
  auto page = files_.CreateTextFile(folder_.At("OUT\\PAGE.HTM"));
  page->WriteLine("★新しい");
  page->WriteLine("é");  // no Shift_JIS code: "?"
  EXPECT_EQ(folder_.Contents("out\\Page.htm"), "old");
  page->Close();
  const std::string written = "\x81\x9A\x90\x56\x82\xB5\x82\xA2\r\n?\r\n";
  EXPECT_EQ(folder_.Contents("out\\Page.htm"), written);
  EXPECT_EQ(std::filesystem::directory_iterator(folder_.Native("out"))->path().filename(),
            "Page.htm");
  page->Close();  // once closed, closing again does nothing
  EXPECT_THROW(page->WriteLine("late"), FileError);
  // Destroyed unclosed, a replacement and a new name leave nothing behind.
  files_.CreateTextFile(folder_.At("out\\page.htm"))->WriteLine("new");
  files_.CreateTextFile(folder_.At("out\\new.htm"))->WriteLine("new");
  EXPECT_EQ(folder_.Contents("out\\Page.htm"), written);
  EXPECT_EQ(folder_.Entries("out"), 1u);
}

// As on POSIX, a walk of the folder meanwhile sees a new file under its name
// and never a replacement.
TEST_F(Win32OutputFileTest, ANewNameIsWrittenInPlaceAndAReplacementIsNeverListed) {
  folder_.Put("out\\old.htm", "old");
  auto fresh = files_.CreateTextFile(folder_.At("out\\allfile.txt"));
  auto replacement = files_.CreateTextFile(folder_.At("out\\old.htm"));
  EXPECT_EQ(folder_.Entries("out"), 3u);
  std::vector<std::string> listed;
  auto listing = files_.ListFolder(folder_.At("out"), kAttrHidden | kAttrSystem);
  ASSERT_NE(listing, nullptr);
  for (FolderEntry entry; listing->Next(entry);) listed.push_back(entry.name);
  EXPECT_EQ(listed, (std::vector<std::string>{".", "..", "allfile.txt", "old.htm"}));
  fresh->WriteLine("a");
  fresh->Close();
  replacement->Close();
  EXPECT_EQ(folder_.Contents("out\\allfile.txt"), "a\r\n");
  EXPECT_EQ(folder_.Entries("out"), 2u);
}

// The death test runs this body afresh in a child, which finds its parent's
// folder through the environment.
TEST(Win32OutputFileDeathTest, AKilledRunLeavesTheOldTextAndNoReplacement) {
  constexpr char kParentsFolder[] = "ZORBELLE_TEST_OUTPUT_FOLDER";
  char inherited[64] = {};
  const bool child = GetEnvironmentVariableA(kParentsFolder, inherited, sizeof inherited) > 0;
  const std::string name =
      child ? inherited : "zorbelle-output-" + std::to_string(GetCurrentProcessId());
  Win32TestFolder folder(name);
  ASSERT_TRUE(SetEnvironmentVariableA(kParentsFolder, name.c_str()));
  if (!child) folder.Put("out\\page.htm", "old");
  Win32ShiftJisEncoding encoding;
  Win32FileSystem files(encoding);
  EXPECT_EXIT(
      {
        auto page = files.CreateTextFile(folder.At("out\\page.htm"));
        page->WriteLine(std::string(100000, 'x'));
        TerminateProcess(GetCurrentProcess(), 3);
      },
      ::testing::ExitedWithCode(3), "");
  SetEnvironmentVariableA(kParentsFolder, nullptr);
  EXPECT_EQ(folder.Contents("out\\page.htm"), "old");
  EXPECT_EQ(folder.Entries("out"), 1u);
}

TEST_F(Win32OutputFileTest, LostLinesFailEveryLaterLineAndTheCloseAndKeepTheOldText) {
  folder_.Put("out\\page.htm", "old");
  Win32FileSystem failing(encoding_, Win32OutputCalls{FailingWrite});
  auto page = failing.CreateTextFile(folder_.At("out\\page.htm"));
  const std::string line(1000, 'x');
  EXPECT_THROW(for (int i = 0; i < 100; ++i) page->WriteLine(line), FileError);
  EXPECT_THROW(page->WriteLine("more"), FileError);
  EXPECT_THROW(page->Close(), FileError);
  EXPECT_EQ(folder_.Contents("out\\page.htm"), "old");
  EXPECT_EQ(folder_.Entries("out"), 1u);
  // A short file loses its line only when Close writes it out.
  auto short_page = failing.CreateTextFile(folder_.At("out\\page.htm"));
  short_page->WriteLine("one line");
  EXPECT_THROW(short_page->Close(), FileError);
  EXPECT_EQ(folder_.Contents("out\\page.htm"), "old");
}

TEST_F(Win32OutputFileTest, NamesHeldByAnythingButAPlainFileAreLeftAlone) {
  folder_.MakeFolder("out\\folder.htm");
  EXPECT_THROW(files_.CreateTextFile(folder_.At("out\\folder.htm")), NotAPlainFileError);
  EXPECT_TRUE(std::filesystem::is_directory(folder_.Native("out\\folder.htm")));
  EXPECT_THROW(files_.CreateTextFile(folder_.At("missing\\a.htm")), FileError);
  folder_.Put("out\\fixed.htm", "mine");
  SetFileAttributesW(folder_.Native("out\\fixed.htm").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_THROW(files_.CreateTextFile(folder_.At("out\\fixed.htm")), FileError);
  SetFileAttributesW(folder_.Native("out\\fixed.htm").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(folder_.Contents("out\\fixed.htm"), "mine");
  ASSERT_TRUE(folder_.Fifo("out\\pipe.htm"));
  EXPECT_THROW(files_.CreateTextFile(folder_.At("out\\pipe.htm")), NotAPlainFileError);
  EXPECT_TRUE(folder_.Exists("out\\pipe.htm"));
  EXPECT_EQ(folder_.Entries("out"), 3u);
}

TEST_F(Win32OutputFileTest, ALinkToAFileIsLeftAlone) {
  folder_.Put("out\\target.htm", "kept");
  if (!folder_.Link("out\\link.htm", folder_.At("out\\target.htm"), false)) {
    GTEST_SKIP() << "no link to a file shows as one: Wine 8 makes none with CreateSymbolicLinkW "
                    "and shows a Unix link to a file as the file itself";
  }
  EXPECT_THROW(files_.CreateTextFile(folder_.At("out\\link.htm")), NotAPlainFileError);
  EXPECT_EQ(folder_.Contents("out\\target.htm"), "kept");
}

TEST_F(Win32OutputFileTest, WhatTookTheNameBeforeCloseIsLeftAlone) {
  folder_.Put("out\\page.htm", "old");
  auto page = files_.CreateTextFile(folder_.At("out\\page.htm"));
  page->WriteLine("new");
  std::filesystem::remove(folder_.Native("out\\page.htm"));
  folder_.MakeFolder("out\\page.htm");
  EXPECT_THROW(page->Close(), NotAPlainFileError);
  EXPECT_TRUE(std::filesystem::is_directory(folder_.Native("out\\page.htm")));
  EXPECT_EQ(folder_.Entries("out"), 1u);
}

}  // namespace
}  // namespace zb
