// The command line against a hostile output folder: names held by links and
// pipes, and a second run while another zorbelle-cli writes there.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_process_for_test.h"
#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using testing::Not;

// True while the process holds a flock lock on the folder, as the kernel
// lists them ("1: FLOCK  ADVISORY  WRITE 4242 08:01:1234 0 EOF").
bool HoldsFolderLock(pid_t pid, const std::string& folder) {
  struct stat status;
  if (stat(folder.c_str(), &status) != 0) return false;
  std::ifstream locks("/proc/locks");
  for (std::string line; std::getline(locks, line);) {
    std::istringstream fields(line);
    std::string number, kind, advisory, mode, where;
    pid_t holder = 0;
    fields >> number >> kind >> advisory >> mode >> holder >> where;
    const std::string inode = where.substr(where.rfind(':') + 1);
    if (kind == "FLOCK" && holder == pid && inode == std::to_string(status.st_ino)) return true;
  }
  return false;
}

// False once the process has ended (a zombie until it is waited for).
bool Running(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string number, name, state;
  stat >> number >> name >> state;
  return stat && state != "Z";
}

TEST(OutputSafetyCli, NamesHeldByLinksOrPipesEndTheRunAndAreNamed) {
  TestFolder folder;
  folder.Put("pics/a.gif", "GIF89a\x10\0\x10\0");
  const std::string secret = folder.Put("secret.txt", "secret");
  symlink(secret.c_str(), folder.Host("pics/_gazlist.htm").c_str());
  const ProcessResult linked =
      RunCli({"--same-folder", folder.Host("pics")}, CliEnvironment(folder));
  EXPECT_EQ(linked.exitCode, 1);
  EXPECT_THAT(linked.err, HasSubstr("C:\\pics\\_gazlist.htm\nは普通のファイルではありません"));
  EXPECT_EQ(folder.Contents("secret.txt"), "secret");

  fs::remove(folder.Host("pics/_gazlist.htm"));
  fs::remove(folder.Host("pics/_gaz0000.htm"));
  ASSERT_EQ(mkfifo(folder.Host("pics/_gaz0000.htm").c_str(), 0666), 0);
  const ProcessResult piped =
      RunCli({"--same-folder", folder.Host("pics")}, CliEnvironment(folder));
  EXPECT_EQ(piped.exitCode, 1);
  EXPECT_THAT(piped.err, HasSubstr("C:\\pics\\_gaz0000.htm\nは普通のファイルではありません"));
  EXPECT_TRUE(fs::is_fifo(folder.Host("pics/_gaz0000.htm")));
}

TEST(OutputSafetyCli, ASecondRunWaitsForNoneAndTheLockDiesWithItsHolder) {
  TestFolder folder;
  for (int i = 0; i < 4000; ++i) folder.Put("pics/f" + std::to_string(i) + ".txt");
  const std::vector<std::string> env = CliEnvironment(folder);

  // A first run caught, and frozen, while it holds the folder.
  std::unique_ptr<CliProcess> holder;
  for (int attempt = 0; attempt < 50 && !holder; ++attempt) {
    auto first = std::make_unique<CliProcess>(
        std::vector<std::string>{"--same-folder", "--no-all-files", folder.Host("pics")}, env);
    while (Running(first->pid()) && !HoldsFolderLock(first->pid(), folder.Host("pics"))) {
    }
    kill(first->pid(), SIGSTOP);
    if (HoldsFolderLock(first->pid(), folder.Host("pics"))) holder = std::move(first);
  }
  ASSERT_NE(holder, nullptr) << "no run was caught holding its folder";

  const ProcessResult refused = RunCli({"--same-folder", "--all-files", folder.Host("pics")}, env);
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_THAT(refused.err, HasSubstr("には、別のZorbelle♪が書き込み中です。"));
  EXPECT_FALSE(fs::exists(folder.Host("pics/allfile.txt")));

  kill(holder->pid(), SIGKILL);
  EXPECT_EQ(holder->Finish().exitCode, 128 + SIGKILL);
  const ProcessResult after = RunCli({"--same-folder", "--all-files", folder.Host("pics")}, env);
  EXPECT_EQ(after.exitCode, 0) << after.err;
  EXPECT_TRUE(fs::exists(folder.Host("pics/allfile.txt")));
  EXPECT_THAT(after.err, Not(HasSubstr("書き込み中")));
}

}  // namespace
}  // namespace zb
