// One run per output folder, and deletion only of plain files reached through
// real folders below the searched one: on a real disk, with real processes.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/posix/posix_file_system.h"
#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

class FolderSafetyTest : public ::testing::Test {
 protected:
  PosixFileSystem Files() { return PosixFileSystem(paths_, encoding_); }

  TestFolder folder_;
  ShiftJisEncoding encoding_;
  DrivePaths paths_{folder_.Drives()};
  PosixFileSystem files_{paths_, encoding_};
};

TEST_F(FolderSafetyTest, AFolderIsLockedOnceUntilItsHolderLetsGoOrIsKilled) {
  folder_.MakeFolder("Out");
  PosixFileSystem other = Files();
  auto first = files_.LockFolder("C:\\Out\\");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(other.LockFolder("C:\\out"), nullptr);  // the same folder, spelt otherwise
  EXPECT_NE(other.LockFolder("C:\\"), nullptr);     // another folder
  first.reset();
  EXPECT_NE(other.LockFolder("C:\\out\\"), nullptr);
  EXPECT_NE(files_.LockFolder("C:\\missing\\"), nullptr);  // nothing there to guard

  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t holder = fork();
  if (holder == 0) {
    auto held = Files().LockFolder("C:\\Out\\");
    (void)!write(ready[1], held ? "y" : "n", 1);
    pause();
    _exit(0);
  }
  char answer = 0;
  ASSERT_EQ(read(ready[0], &answer, 1), 1);
  close(ready[0]);
  close(ready[1]);
  EXPECT_EQ(answer, 'y');
  EXPECT_EQ(files_.LockFolder("C:\\Out\\"), nullptr);
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  EXPECT_NE(files_.LockFolder("C:\\Out\\"), nullptr);  // no stale lock
}

TEST_F(FolderSafetyTest, OnlyPlainFilesReachedThroughRealFoldersBelowTheRootMayBeDeleted) {
  const std::string victim = folder_.Put("outside/victim.jpg", "keep");
  folder_.Put("tree;x/a;b.txt");
  folder_.Put("tree;x/sub/c;d.jpg");
  symlink(folder_.Host("outside").c_str(), folder_.Host("tree;x/link;x").c_str());
  symlink(victim.c_str(), folder_.Host("tree;x/to;victim.jpg").c_str());
  ASSERT_EQ(mkfifo(folder_.Host("tree;x/pi;pe.jpg").c_str(), 0666), 0);
  folder_.MakeFolder("tree;x/fold;er");

  const std::string root = "C:\\tree;x\\";
  for (const char* refused :
       {"C:\\tree;x\\link;x\\victim.jpg", "C:\\tree;x\\to;victim.jpg", "C:\\tree;x\\pi;pe.jpg",
        "C:\\tree;x\\fold;er", "C:\\tree;x\\..\\outside\\victim.jpg", "C:\\outside\\victim.jpg",
        "C:\\tree;x\\", "C:\\tree;xy\\a;b.txt"}) {
    EXPECT_FALSE(files_.IsPlainFileBelow(root, refused)) << refused;
    EXPECT_THROW(files_.DeleteFileBelow(root, refused), FileError) << refused;
  }
  EXPECT_EQ(folder_.Contents("outside/victim.jpg"), "keep");
  EXPECT_TRUE(fs::is_symlink(folder_.Host("tree;x/to;victim.jpg")));
  EXPECT_TRUE(fs::is_fifo(folder_.Host("tree;x/pi;pe.jpg")));
  EXPECT_TRUE(fs::is_directory(folder_.Host("tree;x/fold;er")));

  EXPECT_TRUE(files_.IsPlainFileBelow("C:\\TREE;X", "C:\\TREE;X\\sub\\c;d.jpg"));
  files_.DeleteFileBelow("C:\\TREE;X", "C:\\TREE;X\\sub\\c;d.jpg");
  files_.DeleteFileBelow(root, "C:\\tree;x\\a;b.txt");
  EXPECT_FALSE(fs::exists(folder_.Host("tree;x/sub/c;d.jpg")));
  EXPECT_FALSE(fs::exists(folder_.Host("tree;x/a;b.txt")));

  // The searched folder itself may be a link: the user chose it.
  symlink(folder_.Host("tree;x").c_str(), folder_.Host("alias").c_str());
  folder_.Put("tree;x/e;f.txt");
  EXPECT_TRUE(files_.IsPlainFileBelow("C:\\alias\\", "C:\\alias\\e;f.txt"));
}

}  // namespace
}  // namespace zb
