// The output folder's lock as its owner, not root, meets it: two real
// processes of one user, and a folder that user may write but not read.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/as_nobody_for_test.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

enum LockResult { kLocked = 0, kBusy = 1, kRefused = 2, kOtherError = 3 };

// What LockFolder gives a process of nobody's, which holds the lock until
// it reads a byte from hold.
LockResult LockAsNobody(const TestFolder& folder, int told = -1, int hold = -1) {
  return static_cast<LockResult>(RunAsNobody([&] {
    ShiftJisEncoding encoding;
    DrivePaths paths{folder.Drives()};
    PosixFileSystem files(paths, encoding);
    try {
      const auto lock = files.LockFolder("C:\\out\\");
      if (!lock) return static_cast<int>(kBusy);
      if (told >= 0) (void)!write(told, "L", 1);
      char byte;
      if (hold >= 0) (void)!read(hold, &byte, 1);
      return static_cast<int>(kLocked);
    } catch (const FolderLockError&) {
      return static_cast<int>(kRefused);
    } catch (...) {
      return static_cast<int>(kOtherError);
    }
  }));
}

TEST(FolderLockAsOwner, AFolderItsOwnerMayWriteButNotReadIsRefusedWhileAnotherRunHoldsIt) {
  TestFolder folder;
  folder.MakeFolder("out");
  GiveToNobody(folder.path());
  ASSERT_EQ(LockAsNobody(folder), kLocked);

  // The first run holds the folder; its owner then takes read permission away.
  int told[2];
  int hold[2];
  ASSERT_EQ(pipe(told), 0);
  ASSERT_EQ(pipe(hold), 0);
  const pid_t first = fork();
  if (first == 0) _exit(LockAsNobody(folder, told[1], hold[0]));
  char byte;
  ASSERT_EQ(read(told[0], &byte, 1), 1);
  EXPECT_EQ(LockAsNobody(folder), kBusy);
  ASSERT_EQ(chmod(folder.Host("out").c_str(), 0333), 0);
  EXPECT_EQ(LockAsNobody(folder), kRefused);  // not a lock that keeps nobody out
  ASSERT_EQ(write(hold[1], "go", 1), 1);
  int status = 0;
  waitpid(first, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), kLocked);
  for (const int fd : {told[0], told[1], hold[0], hold[1]}) close(fd);

  EXPECT_EQ(LockAsNobody(folder), kRefused);  // on its own too
  ASSERT_EQ(chmod(folder.Host("out").c_str(), 0733), 0);
  EXPECT_EQ(LockAsNobody(folder), kLocked);
}

}  // namespace
}  // namespace zb
