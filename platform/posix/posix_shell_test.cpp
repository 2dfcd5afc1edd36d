#include "platform/posix/posix_shell.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

// The opener is a script that notes its argument and working folder.
class PosixShellTest : public ::testing::Test {
 protected:
  PosixShellTest() {
    chmod(folder_
              .Put("opener",
                   "#!/bin/sh\n(echo \"$1\"; pwd) > \"$0.tmp\"; mv \"$0.tmp\" \"$0.args\"\n")
              .c_str(),
          0755);
  }

  // What the opener was given, once it has run.
  std::string Noted() {
    const std::string noted = folder_.Host("opener.args");
    for (int i = 0; i < 500 && !std::filesystem::exists(noted); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::string contents = folder_.Contents("opener.args");
    std::filesystem::remove(noted);
    return contents;
  }

  TestFolder folder_;
  DrivePaths paths_{folder_.Drives()};
  PosixShell shell_{paths_, folder_.Host("opener")};
};

TEST_F(PosixShellTest, OpensADrivePathAsTheHostFileWithItsCaseOnDiskAndAWebAddressAsItIs) {
  folder_.Put("Out/_gazList.htm");
  shell_.Open("open", "C:\\OUT\\_GAZLIST.HTM", "C:\\out");
  EXPECT_EQ(Noted(), folder_.Host("Out/_gazList.htm") + "\n" + folder_.Host("Out") + "\n");
  // A working folder that is gone must not keep the opener from starting.
  shell_.Open("", "C:\\a.htm", "C:\\gone");
  EXPECT_EQ(Noted().substr(0, folder_.Host("a.htm").size() + 1), folder_.Host("a.htm") + "\n");
  shell_.Open("", "HTTPS://example.org/Zorbelle?a=1", "");
  EXPECT_EQ(Noted().substr(0, 33), "HTTPS://example.org/Zorbelle?a=1\n");
}

// Processes whose parent is this one, zombies included.
int ChildrenOfThisProcess() {
  int children = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream in(entry.path() / "stat");
    std::string stat;
    if (!std::getline(in, stat) || stat.rfind(')') == std::string::npos) continue;
    std::istringstream fields(stat.substr(stat.rfind(')') + 1));
    char state = 0;
    pid_t parent = 0;
    fields >> state >> parent;
    if (parent == getpid()) ++children;
  }
  return children;
}

TEST_F(PosixShellTest, AnOpenerThatHasEndedIsNotLeftAZombie) {
  ASSERT_EQ(ChildrenOfThisProcess(), 0);
  shell_.Open("", "C:\a.htm", "");
  Noted();
  int left = ChildrenOfThisProcess();
  for (int i = 0; i < 500 && left > 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    left = ChildrenOfThisProcess();
  }
  EXPECT_EQ(left, 0);
}

}  // namespace
}  // namespace zb
