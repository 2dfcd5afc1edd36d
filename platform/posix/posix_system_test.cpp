#include "platform/posix/posix_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

constexpr char kMsInfo[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

class PosixSystemTest : public ::testing::Test {
 protected:
  void MakeProgram(std::string_view relative, std::string_view script = "#!/bin/sh\n") {
    chmod(folder_.Put(relative, script).c_str(), 0755);
  }

  TestFolder folder_;
  DrivePaths paths_{folder_.Drives("z=/")};
  PosixSystem system_{paths_, folder_.Host("bin1") + "::" + folder_.Host("bin2")};
};

TEST_F(PosixSystemTest, WindowsFolderIsOnCOrElseOnTheFirstDrive) {
  EXPECT_EQ(system_.WindowsDirectory(), "C:\\WINDOWS");
  DrivePaths others(DriveTable::Parse("q=/srv;e=/mnt"));
  EXPECT_EQ(PosixSystem(others, "").WindowsDirectory(), "E:\\WINDOWS");
}

// An installed program keeps its documents beside its folder.
TEST_F(PosixSystemTest, ProgramAndDocumentFoldersAreDrivePathsOfWhereTheProgramRuns) {
  const std::filesystem::path folder =
      std::filesystem::read_symlink("/proc/self/exe").parent_path();
  DrivePaths programDrive(DriveTable::Parse("p=" + folder.string()));
  EXPECT_EQ(PosixSystem(programDrive, "").ProgramFolder(), "P:\\");
  DrivePaths prefixDrive(DriveTable::Parse("p=" + folder.parent_path().string()));
  EXPECT_EQ(PosixSystem(prefixDrive, "").DocumentFolder(), "P:\\share\\doc\\zorbelle");
}

TEST_F(PosixSystemTest, RegistryNamesTheFirstSystemInformationProgramThatCanRun) {
  EXPECT_EQ(system_.ReadRegistryString("HKEY_LOCAL_MACHINE", kMsInfo, "PATH"), std::nullopt);
  folder_.Put("bin1/hardinfo", "not executable");
  folder_.MakeFolder("bin1/kinfocenter");
  MakeProgram("bin2/kinfocenter");
  EXPECT_EQ(system_.ReadRegistryString("HKEY_LOCAL_MACHINE", kMsInfo, "PATH"),
            "C:\\bin2\\kinfocenter");
  MakeProgram("bin2/hardinfo");
  EXPECT_EQ(system_.ReadRegistryString("HKEY_LOCAL_MACHINE",
                                       "software\\microsoft\\shared tools\\msinfo", "path"),
            "C:\\bin2\\hardinfo");
  EXPECT_EQ(system_.ReadRegistryString("HKEY_LOCAL_MACHINE",
                                       "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"),
            std::nullopt);
}

TEST_F(PosixSystemTest, FileExistsForFilesOnlyWhateverTheCase) {
  folder_.Put("Tools/MSINFO32.EXE");
  EXPECT_TRUE(system_.FileExists("C:\\tools\\msinfo32.exe"));
  EXPECT_FALSE(system_.FileExists("C:\\tools"));
  EXPECT_FALSE(system_.FileExists("C:\\tools\\other.exe"));
}

TEST_F(PosixSystemTest, StartsProgramsWithoutWaitingForThem) {
  const std::string marker = folder_.Host("started");
  MakeProgram("Tool", "#!/bin/sh\nsleep 0.2; touch '" + marker + "'\n");
  ASSERT_TRUE(system_.StartProgram("C:\\TOOL"));
  EXPECT_FALSE(std::filesystem::exists(marker));
  for (int i = 0; i < 500 && !std::filesystem::exists(marker); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(std::filesystem::exists(marker));
  EXPECT_FALSE(system_.StartProgram("C:\\missing"));
  EXPECT_FALSE(system_.StartProgram("Q:\\tool"));
}

TEST_F(PosixSystemTest, EndProgramExitsWithTheCodeAndFlushesOutput) {
  const std::string output = folder_.Host("out.txt");
  EXPECT_EXIT(
      {
        std::freopen(output.c_str(), "w", stdout);
        std::fputs("buffered", stdout);
        system_.EndProgram(3);
      },
      ::testing::ExitedWithCode(3), "");
  EXPECT_EQ(folder_.Contents("out.txt"), "buffered");
}

}  // namespace
}  // namespace zb
