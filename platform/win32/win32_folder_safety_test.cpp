// One run per output folder, and deletion only of plain files reached through
// real folders below the searched one: on a real disk, with real processes.
#include <gtest/gtest.h>

#include "platform/win32/testing/win32_test_folder.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_shift_jis_encoding.h"
#include "platform/win32/windows_api.h"

namespace zb {
namespace {

class Win32FolderSafetyTest : public ::testing::Test {
 protected:
  Win32ShiftJisEncoding encoding_;
  Win32FileSystem files_{encoding_};
};

// The death test runs this body afresh in a child, which finds its parent's
// folder through the environment.
TEST_F(Win32FolderSafetyTest, AFolderIsLockedOnceUntilItsHolderLetsGoOrDies) {
  constexpr char kParentsFolder[] = "ZORBELLE_TEST_LOCKED_FOLDER";
  char inherited[64] = {};
  const bool child = GetEnvironmentVariableA(kParentsFolder, inherited, sizeof inherited) > 0;
  const std::string name =
      child ? inherited : "zorbelle-lock-" + std::to_string(GetCurrentProcessId());
  Win32TestFolder folder(name);
  ASSERT_TRUE(SetEnvironmentVariableA(kParentsFolder, name.c_str()));
  Win32FileSystem other(encoding_);
  std::unique_ptr<FolderLock> first;
  if (!child) {
    folder.MakeFolder("Out");
    first = files_.LockFolder(folder.At("Out\\"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(other.LockFolder(folder.At("out")), nullptr);  // the same folder, spelt otherwise
    EXPECT_NE(other.LockFolder(folder.path()), nullptr);     // another folder
    EXPECT_NE(other.LockFolder(folder.At("missing\\")), nullptr);  // nothing there to guard
  }
  EXPECT_EXIT(ExitProcess(other.LockFolder(folder.At("OUT")) ? 1 : 2), ::testing::ExitedWithCode(2),
              "");
  first.reset();
  EXPECT_EXIT(
      {
        auto held = other.LockFolder(folder.At("OUT"));
        TerminateProcess(GetCurrentProcess(), held ? 3 : 4);
      },
      ::testing::ExitedWithCode(3), "");
  SetEnvironmentVariableA(kParentsFolder, nullptr);
  // The dead holder's lock went with it, and left no file behind.
  EXPECT_NE(files_.LockFolder(folder.At("out")), nullptr);
  EXPECT_EQ(folder.Entries("Out"), 0u);
}

TEST_F(Win32FolderSafetyTest, AFolderKeptFromWritesByAnotherProgramIsNotLocked) {
  Win32TestFolder folder;
  folder.Put("file");
  EXPECT_NE(files_.LockFolder(folder.At("file")), nullptr);  // no folder, nothing to guard
  folder.MakeFolder("out");
  const HANDLE held =
      CreateFileW(folder.Native("out").c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(files_.LockFolder(folder.At("out")), nullptr);
  CloseHandle(held);
  // A program that only lists it keeps no run out.
  const HANDLE listing = CreateFileW(folder.Native("out").c_str(), FILE_LIST_DIRECTORY,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  EXPECT_NE(files_.LockFolder(folder.At("out")), nullptr);
  CloseHandle(listing);
}

class Win32DeletionBelowTest : public Win32FolderSafetyTest {
 protected:
  Win32TestFolder folder_;
};

TEST_F(Win32DeletionBelowTest, OnlyPlainFilesBelowTheFolderAreDeleted) {
  const std::string page = folder_.Put("pics\\Sub\\_gaz0000.htm", "x");
  folder_.Put("pi\\s\\Sub\\_gaz0000.htm", "x");  // where "pics" read from "pi" would lead
  const std::string pics = folder_.At("PICS\\");
  EXPECT_TRUE(files_.IsPlainFileBelow(pics, folder_.At("pics\\sub\\_GAZ0000.htm")));
  EXPECT_TRUE(files_.IsPlainFileBelow(folder_.At("pics"), page));
  EXPECT_FALSE(files_.IsPlainFileBelow(pics, folder_.At("pics\\sub")));
  EXPECT_FALSE(files_.IsPlainFileBelow(pics, folder_.At("pics\\missing.htm")));
  EXPECT_FALSE(files_.IsPlainFileBelow(pics, folder_.At("pics\\sub\\..\\sub\\_gaz0000.htm")));
  EXPECT_FALSE(files_.IsPlainFileBelow(folder_.At("pi"), page));
  EXPECT_FALSE(files_.IsPlainFileBelow(folder_.At("pics\\sub\\_gaz0000.htm"), page));
  EXPECT_THROW(files_.DeleteFileBelow(pics, folder_.At("pics\\sub")), NotAPlainFileError);
  EXPECT_THROW(files_.DeleteFileBelow(folder_.At("other"), page), NotAPlainFileError);
  files_.DeleteFileBelow(pics, folder_.At("PICS\\SUB\\_gaz0000.HTM"));
  EXPECT_FALSE(folder_.Exists("pics\\Sub\\_gaz0000.htm"));
  EXPECT_THROW(files_.DeleteFileBelow(pics, page), NotAPlainFileError);
}

TEST_F(Win32DeletionBelowTest, NothingIsReachedThroughALinkOrJunction) {
  folder_.Put("elsewhere\\_gaz0000.htm", "keep");
  folder_.MakeFolder("pics");
  if (!folder_.Junction("pics\\sub", folder_.At("elsewhere")) &&
      !folder_.Link("pics\\sub", folder_.At("elsewhere"), true)) {
    GTEST_SKIP() << "this Wine makes neither junctions nor folder links";
  }
  const std::string page = folder_.At("pics\\sub\\_gaz0000.htm");
  ASSERT_TRUE(files_.GetAttributes(page).has_value());
  EXPECT_FALSE(files_.IsPlainFileBelow(folder_.At("pics"), page));
  EXPECT_THROW(files_.DeleteFileBelow(folder_.At("pics"), page), NotAPlainFileError);
  EXPECT_EQ(folder_.Contents("elsewhere\\_gaz0000.htm"), "keep");
  // The searched folder itself is what the user chose, link or not.
  EXPECT_TRUE(files_.IsPlainFileBelow(folder_.At("pics\\sub"), page));
}

TEST_F(Win32DeletionBelowTest, OwnTextFilesGoByTheirFirstLineAndNothingElse) {
  const std::string head = "<html>★";
  folder_.Put("out\\_gaz0000.htm", "<html>\x81\x9A\r\nrest");
  folder_.Put("out\\_gaz0001.htm", "<html>\x81\x9A\r\n");
  folder_.Put("out\\_gaz0002.htm", "<html>\x81\x9A");
  folder_.Put("out\\_gaz0003.htm", "<html>other\r\n");
  folder_.Put("out\\mine.txt", "<html>\x81\x9A\r\n");
  folder_.Put("out\\_gaz0004.htm", "<html>\x81\x9A\r\n");
  SetFileAttributesW(folder_.Native("out\\_gaz0004.htm").c_str(), FILE_ATTRIBUTE_HIDDEN);
  folder_.MakeFolder("out\\_gaz0005.htm");
  ASSERT_TRUE(folder_.Fifo("out\\_gaz0006.htm"));
  const auto picks = [](std::string_view name) { return name.starts_with("_gaz"); };
  EXPECT_EQ(files_.DeleteOwnTextFiles(folder_.At("OUT"), picks, head), 3);
  for (const char* name : {"_gaz0000.htm", "_gaz0001.htm", "_gaz0004.htm"}) {
    EXPECT_FALSE(folder_.Exists("out\\" + std::string(name))) << name;
  }
  for (const char* name :
       {"_gaz0002.htm", "_gaz0003.htm", "mine.txt", "_gaz0005.htm", "_gaz0006.htm"}) {
    EXPECT_TRUE(folder_.Exists("out\\" + std::string(name))) << name;
  }
  EXPECT_EQ(files_.DeleteOwnTextFiles(folder_.At("missing"), picks, head), 0);
}

}  // namespace
}  // namespace zb
