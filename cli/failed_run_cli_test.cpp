// The command line over a gallery it made before, when the next run fails
// part way: the good pages and list stay, and the message says so.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli/cli_process_for_test.h"
#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

std::map<std::string, std::string> Entries(const TestFolder& folder) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::directory_iterator(folder.Host("_Zorbelle"))) {
    const std::string name = entry.path().filename().string();
    entries[name] = entry.is_symlink() ? "link" : folder.Contents("_Zorbelle/" + name);
  }
  return entries;
}

TEST(FailedRunCli, ALinkWhereAReducedPageWasEndsTheRunWithTheOldGalleryWhole) {
  TestFolder folder;
  const std::vector<std::string> env = CliEnvironment(folder);
  const std::vector<std::string> args = {"--all-files", "--no-same-folder", folder.Host("pics")};
  for (const char* name : {"a", "b", "c"})
    folder.Put("pics/" + std::string(name) + ".gif", Gif(40, 40));
  ASSERT_EQ(RunCli(args, env).exitCode, 0);
  folder.Put("pics/d.gif", Gif(40, 40));
  const std::string reduced = folder.Host("_Zorbelle/_gaz0000.html");
  fs::remove(reduced);
  fs::create_symlink(folder.Host("nowhere"), reduced);
  const auto before = Entries(folder);

  const ProcessResult failed = RunCli(args, env);
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_THAT(failed.err,
              HasSubstr("C:\\_Zorbelle\\_gaz0000.html\nは普通のファイルではありません"));
  EXPECT_THAT(failed.err, HasSubstr("書き終わらなかったファイルは、前回のまま残してあります。"));
  EXPECT_EQ(Entries(folder), before);
}

}  // namespace
}  // namespace zb
