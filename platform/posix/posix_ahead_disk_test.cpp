#include "platform/posix/posix_ahead_disk.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "platform/posix/testing/test_folder.h"
#include "walk_ahead/batched_walk_ahead.h"
#include "walk_ahead/planned_walk_for_test.h"

namespace zb {
namespace {

namespace fs = std::filesystem;
using testing::ElementsAre;

constexpr std::size_t kHeadBytes = 16;

WalkPlan Plan(bool subfolders = true) {
  WalkPlan plan;
  plan.root = "C:\\pics\\";
  plan.mask = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrDirectory;
  plan.subfolders = subfolders;
  plan.enters = [](const std::string&, const FolderEntry& entry, bool) {
    return entry.attributes && (*entry.attributes & kAttrDirectory) && entry.name != "." &&
           entry.name != "..";
  };
  plan.headBytesOf = [](std::string_view name) -> std::size_t {
    return name.ends_with(".jpg") ? kHeadBytes : name.ends_with(".gif") ? 3 : 0;
  };
  plan.headBytes = kHeadBytes;
  return plan;
}

// The walk in the planned order, listing by itself what is not served.
struct Walk : PlannedWalk {
  explicit Walk(FileSystem& files)
      : PlannedWalk(Plan(), [&files](const std::string& folder) {
          return files.ListFolder(folder, Plan().mask);
        }) {}
};

// Folders stamped within the clock's current tick are never served: a
// change in the same tick could not be told.
void LetTheClockMoveOn() { std::this_thread::sleep_for(std::chrono::milliseconds(30)); }

class PosixWalkAheadTest : public testing::Test {
 protected:
  std::unique_ptr<WalkAhead> Start(WalkPlan plan = Plan()) {
    return files.StartWalkAhead(std::move(plan));
  }
  // What the walk sees when served ahead, which must serve every folder.
  std::vector<std::string> Ahead(WalkPlan plan = Plan()) {
    Walk walk{files};
    const std::unique_ptr<WalkAhead> ahead = Start(std::move(plan));
    EXPECT_NE(ahead, nullptr);
    walk.Folder(ahead.get(), "C:\\pics\\");
    EXPECT_THAT(walk.listedByItself, testing::IsEmpty());
    return walk.seen;
  }
  std::vector<std::string> Plain() {
    Walk walk{files};
    walk.Folder(nullptr, "C:\\pics\\");
    return walk.seen;
  }

  TestFolder folder;
  DrivePaths paths{folder.Drives()};
  ShiftJisEncoding encoding;
  PosixFileSystem files{paths, encoding, {}, 3};
};

TEST_F(PosixWalkAheadTest, GivesTheWalkExactlyWhatItsOwnListingsWouldWithHeadsOfWantedFiles) {
  folder.Put("pics/short.jpg", "tiny");
  folder.Put("pics/long.jpg", "0123456789abcdefTAIL");
  folder.Put("pics/note.txt", "not wanted");
  folder.Put("pics/few.gif", "GIF89a");
  folder.Put("pics/a/b/deep.jpg", "deep");
  folder.Put("pics/a/later.txt");
  folder.Put("pics/c/x.jpg", "x");
  fs::create_directory_symlink(folder.Host("pics"), folder.Host("pics/a/up"));
  ASSERT_EQ(mkfifo(folder.Host("pics/pipe.jpg").c_str(), 0600), 0);
  fs::create_directory(folder.Host("pics/folder.jpg"));
  // Out of the page cache, so that its head is read past a refused cached read.
  const int evicted = open(folder.Host("pics/long.jpg").c_str(), O_RDONLY);
  ASSERT_GE(evicted, 0);
  fdatasync(evicted);
  posix_fadvise(evicted, 0, 0, POSIX_FADV_DONTNEED);
  close(evicted);
  LetTheClockMoveOn();

  const std::vector<std::string> seen = Ahead();
  std::vector<std::string> expected = Plain();
  for (std::string& line : expected) {
    if (line == "C:\\pics\\short.jpg") line += " head=tiny";
    if (line == "C:\\pics\\long.jpg") line += " head=0123456789abcdef";
    if (line == "C:\\pics\\few.gif") line += " head=GIF";
    if (line == "C:\\pics\\a\\b\\deep.jpg") line += " head=deep";
    if (line == "C:\\pics\\c\\x.jpg") line += " head=x";
  }
  EXPECT_EQ(seen, expected);
  // The link back up is listed by the walk, its folder not entered twice.
  EXPECT_THAT(expected, testing::Contains("C:\\pics\\a\\up"));
}

TEST_F(PosixWalkAheadTest, FoldersBiggerThanTheWindowArriveWholeAndInOrder) {
  const std::size_t count = BatchedWalkAhead::kWindowEntries + 700;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string name = "pics/big/" + std::to_string(i) + (i % 3 == 0 ? ".jpg" : ".txt");
    folder.Put(name, std::to_string(i));
  }
  folder.Put("pics/big/sub/last.jpg", "last");
  LetTheClockMoveOn();

  const std::vector<std::string> seen = Ahead();
  std::size_t heads = 0;
  for (const std::string& line : seen) heads += line.find(" head=") != std::string::npos;
  EXPECT_EQ(heads, (count + 2) / 3 + 1);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), "C:\\pics\\big\\sub\\last.jpg head=last");
  EXPECT_EQ(seen.size(), Plain().size());
}

TEST_F(PosixWalkAheadTest, AFolderChangedAfterItWasReadAheadIsLeftToTheWalk) {
  folder.Put("pics/a/x.jpg", "a");
  folder.Put("pics/b/x.jpg", "b");
  LetTheClockMoveOn();
  // The sub-folders in listing order.
  std::vector<std::string> order;
  for (const std::string& line : Plain()) {
    if (line.ends_with("\\x.jpg")) order.push_back(line.substr(0, line.size() - 5));
  }
  ASSERT_EQ(order.size(), 2u);
  const std::unique_ptr<WalkAhead> walkAhead = Start();
  EXPECT_NE(walkAhead->ListFolder("C:\\pics\\"), nullptr);
  // Give the lister time to have read both ahead, then change the first.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  std::string changed = order[0].substr(3);
  std::replace(changed.begin(), changed.end(), '\\', '/');
  folder.Put(changed + "new.txt");
  EXPECT_EQ(walkAhead->ListFolder(order[0]), nullptr);
  // The folders after it are still served.
  std::unique_ptr<FolderListing> next = walkAhead->ListFolder(order[1]);
  ASSERT_NE(next, nullptr);
  FolderEntry entry;
  std::vector<std::string> names;
  while (next->Next(entry)) names.push_back(entry.name);
  EXPECT_THAT(names, ElementsAre(".", "..", "x.jpg"));
}

// Read calls this whole process has made, its ended threads included.
std::uint64_t ReadCalls() {
  std::ifstream io("/proc/self/io");
  std::string key;
  std::uint64_t value = 0;
  while (io >> key >> value) {
    if (key == "syscr:") return value;
  }
  ADD_FAILURE() << "no read count in /proc/self/io";
  return 0;
}

TEST_F(PosixWalkAheadTest, ReadsEachWantedHeadOnceAndNoOtherFile) {
  constexpr int kWanted = 40;
  for (int i = 0; i < kWanted; ++i) {
    // Shorter than a head, exactly one, longer, and GIFs that want less.
    const std::string name = std::to_string(i) + (i % 4 == 3 ? ".gif" : ".jpg");
    folder.Put("pics/" + name, std::string(static_cast<std::size_t>(i % 3) * 8, 'x'));
    folder.Put("pics/" + std::to_string(i) + ".png", "\x89PNG not wanted");
  }
  LetTheClockMoveOn();
  const auto readsOfWalk = [&](WalkPlan plan) {
    const std::uint64_t before = ReadCalls();
    Ahead(std::move(plan));
    return ReadCalls() - before;
  };
  WalkPlan none = Plan();
  none.headBytesOf = [](std::string_view) -> std::size_t { return 0; };
  // What a walk reads besides heads (the thread set-up, the count itself).
  const std::uint64_t besides = readsOfWalk(std::move(none));
  // The files are in the page cache: one read each tells its head and end.
  EXPECT_EQ(readsOfWalk(Plan()) - besides, std::uint64_t{kWanted});
}

// The lister lists a file, then the plan (asked about that file while it is
// listed) deletes it; the folder keeps its time stamp, so it is still served.
TEST_F(PosixWalkAheadTest, AFileGoneBeforeItsHeadIsReadShiftsNoOtherHead) {
  constexpr int kFiles = 70;  // more than one batch of heads
  std::set<std::string> gone;
  for (int i = 0; i < kFiles; ++i) {
    const std::string name = std::to_string(i) + (i % 3 == 0 ? ".gif" : ".jpg");
    char unique[8];
    std::snprintf(unique, sizeof unique, "%03d", i);
    folder.Put("pics/" + name, unique + std::string(" of ") + name + " and the rest of it");
    if (i % 4 == 1 || i % 5 == 0) gone.insert(name);
  }
  LetTheClockMoveOn();
  struct stat stamp;
  ASSERT_EQ(stat(folder.Host("pics").c_str(), &stamp), 0);
  WalkPlan plan = Plan();
  plan.headBytesOf =
      [wanted = plan.headBytesOf, host = folder.Host("pics"), gone,
       times = std::array<timespec, 2>{stamp.st_atim, stamp.st_mtim}](std::string_view name) {
        if (gone.contains(std::string(name))) {
          unlink((host + "/" + std::string(name)).c_str());
          utimensat(AT_FDCWD, host.c_str(), times.data(), 0);
        }
        return wanted(name);
      };
  std::size_t heads = 0;
  for (const std::string& line : Ahead(std::move(plan))) {
    const std::size_t at = line.find(" head=");
    const std::string name = line.substr(8, at == std::string::npos ? std::string::npos : at - 8);
    if (name == "." || name == "..") continue;
    if (gone.contains(name)) {
      EXPECT_EQ(at, std::string::npos) << line;
      continue;
    }
    ASSERT_NE(at, std::string::npos) << line;
    ++heads;
    const std::string contents = folder.Contents("pics/" + name);
    const std::size_t wanted = name.ends_with(".gif") ? 3 : kHeadBytes;
    EXPECT_EQ(line.substr(at + 6), contents.substr(0, wanted)) << name;
  }
  EXPECT_EQ(heads, kFiles - gone.size());
}

// Opening a pipe for reading, even without blocking, lets its writer on.
TEST_F(PosixWalkAheadTest, APipeNamedLikeAPictureIsNeverOpened) {
  folder.Put("pics/a.jpg", "a");
  const std::string pipe = folder.Host("pics/x.jpg");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  folder.Put("pics/z.jpg", "z");
  int told[2];
  ASSERT_EQ(::pipe(told), 0);
  const pid_t writer = fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    close(told[0]);
    if (open(pipe.c_str(), O_WRONLY) >= 0) (void)!write(told[1], "opened", 6);
    _exit(0);
  }
  close(told[1]);
  LetTheClockMoveOn();

  EXPECT_THAT(Ahead(), testing::Contains("C:\\pics\\z.jpg head=z"));
  // A writer let on says so at once; the grace is for a busy machine.
  pollfd said{told[0], POLLIN, 0};
  EXPECT_EQ(poll(&said, 1, 500), 0) << "the pipe was opened";
  kill(writer, SIGKILL);
  waitpid(writer, nullptr, 0);
  close(told[0]);
}

TEST_F(PosixWalkAheadTest, ReadsNothingAheadWhenSetToNoThreads) {
  PosixFileSystem off{paths, encoding, {}, 0};
  EXPECT_EQ(off.StartWalkAhead(Plan()), nullptr);
}

}  // namespace
}  // namespace zb
