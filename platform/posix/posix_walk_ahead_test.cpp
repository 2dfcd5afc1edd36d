#include "platform/posix/posix_walk_ahead.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "platform/posix/test_folder.h"

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

// A walk in the planned order, noting every entry as "folder name" and, for
// a head, " head=" and its bytes.
struct Walk {
  std::vector<std::string> seen;
  std::vector<std::string> listedByItself;
  std::set<std::pair<std::uint64_t, std::uint64_t>> entered;

  void Folder(FileSystem& files, WalkAhead* ahead, const std::string& folder) {
    std::unique_ptr<FolderListing> listing = ahead ? ahead->ListFolder(folder) : nullptr;
    if (!listing) {
      listedByItself.push_back(folder);
      listing = files.ListFolder(folder, Plan().mask);
    }
    if (!listing || !entered.insert({listing->Id().device, listing->Id().inode}).second) return;
    std::vector<std::string> subfolders;
    FolderEntry entry;
    for (bool first = true; listing->Next(entry); first = false) {
      std::string line = folder + entry.name;
      if (const auto head = listing->Head()) {
        line += " head=" + std::string(reinterpret_cast<const char*>(head->data()), head->size());
      }
      seen.push_back(line);
      if (Plan().enters(folder, entry, first)) subfolders.push_back(entry.name);
    }
    listing.reset();
    for (const std::string& name : subfolders) Folder(files, ahead, folder + name + "\\");
  }
};

// Folders stamped within the clock's current tick are never served: a
// change in the same tick could not be told.
void LetTheClockMoveOn() { std::this_thread::sleep_for(std::chrono::milliseconds(30)); }

class PosixWalkAheadTest : public testing::Test {
 protected:
  std::unique_ptr<WalkAhead> Start(WalkPlan plan = Plan()) {
    return files.StartWalkAhead(std::move(plan));
  }
  std::vector<std::string> Plain() {
    Walk walk;
    walk.Folder(files, nullptr, "C:\\pics\\");
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

  Walk ahead;
  const std::unique_ptr<WalkAhead> walkAhead = Start();
  ASSERT_NE(walkAhead, nullptr);
  ahead.Folder(files, walkAhead.get(), "C:\\pics\\");
  EXPECT_THAT(ahead.listedByItself, testing::IsEmpty());

  std::vector<std::string> expected = Plain();
  for (std::string& line : expected) {
    if (line == "C:\\pics\\short.jpg") line += " head=tiny";
    if (line == "C:\\pics\\long.jpg") line += " head=0123456789abcdef";
    if (line == "C:\\pics\\few.gif") line += " head=GIF";
    if (line == "C:\\pics\\a\\b\\deep.jpg") line += " head=deep";
    if (line == "C:\\pics\\c\\x.jpg") line += " head=x";
  }
  EXPECT_EQ(ahead.seen, expected);
  // The link back up is listed by the walk, its folder not entered twice.
  EXPECT_THAT(expected, testing::Contains("C:\\pics\\a\\up"));
}

TEST_F(PosixWalkAheadTest, FoldersBiggerThanTheWindowArriveWholeAndInOrder) {
  const std::size_t count = PosixWalkAhead::kWindowEntries + 700;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string name = "pics/big/" + std::to_string(i) + (i % 3 == 0 ? ".jpg" : ".txt");
    folder.Put(name, std::to_string(i));
  }
  folder.Put("pics/big/sub/last.jpg", "last");
  LetTheClockMoveOn();

  Walk ahead;
  const std::unique_ptr<WalkAhead> walkAhead = Start();
  ahead.Folder(files, walkAhead.get(), "C:\\pics\\");
  EXPECT_THAT(ahead.listedByItself, testing::IsEmpty());
  std::size_t heads = 0;
  for (const std::string& line : ahead.seen) heads += line.find(" head=") != std::string::npos;
  EXPECT_EQ(heads, (count + 2) / 3 + 1);
  ASSERT_FALSE(ahead.seen.empty());
  EXPECT_EQ(ahead.seen.back(), "C:\\pics\\big\\sub\\last.jpg head=last");
  EXPECT_EQ(ahead.seen.size(), Plain().size());
}

TEST_F(PosixWalkAheadTest, AWalkThatStraysFromThePlanListsByItselfFromThenOn) {
  folder.Put("pics/a/1.jpg", "1");
  folder.Put("pics/b/2.jpg", "2");
  LetTheClockMoveOn();
  const std::unique_ptr<WalkAhead> walkAhead = Start();
  EXPECT_NE(walkAhead->ListFolder("C:\\pics\\"), nullptr);
  // A folder made after the walk began, say, and found by the walk's own listing.
  EXPECT_EQ(walkAhead->ListFolder("C:\\pics\\new\\"), nullptr);
  EXPECT_EQ(walkAhead->ListFolder("C:\\pics\\a\\"), nullptr);
  EXPECT_EQ(walkAhead->ListFolder("C:\\pics\\b\\"), nullptr);
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

TEST_F(PosixWalkAheadTest, EndsAtOnceWhenTheWalkStopsEarly) {
  for (int i = 0; i < 3000; ++i) folder.Put("pics/" + std::to_string(i) + ".jpg", "x");
  LetTheClockMoveOn();
  std::unique_ptr<WalkAhead> walkAhead = Start();
  std::unique_ptr<FolderListing> listing = walkAhead->ListFolder("C:\\pics\\");
  ASSERT_NE(listing, nullptr);
  FolderEntry entry;
  ASSERT_TRUE(listing->Next(entry));
  listing.reset();
  walkAhead.reset();  // the lister waits on a full window; this must not hang
}

TEST_F(PosixWalkAheadTest, ReadsNothingAheadWhenSetToNoThreads) {
  PosixFileSystem off{paths, encoding, {}, 0};
  EXPECT_EQ(off.StartWalkAhead(Plan()), nullptr);
}

}  // namespace
}  // namespace zb
