#include "walk_ahead/batched_walk_ahead.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "walk_ahead/planned_walk_for_test.h"

namespace zb {
namespace {

using testing::ElementsAreArray;
using testing::IsEmpty;

constexpr std::size_t kHeadBytes = 8;

struct FakeFolder {
  FolderId id;
  std::vector<std::pair<std::string, bool>> entries;  // name, whether a folder
  bool listable = true;
  bool stamped = true;
  bool changed = false;
};

// Folders by host path ("/r", "/r/sub"); a file's content is its name
// repeated. Counts what reading ahead took from it.
class FakeDisk : public AheadDisk {
 public:
  explicit FakeDisk(std::map<std::string, FakeFolder> folders) : folders_(std::move(folders)) {}

  std::atomic<std::size_t> entriesListed{0};
  std::atomic<std::size_t> headsRead{0};
  // While shut, the reading of the batch holding this name waits.
  std::string gatedName;
  std::atomic<bool> gateShut{false};
  std::atomic<bool> gateReached{false};

  std::unique_ptr<AheadFolder> List(const std::string& host, std::uint32_t) override {
    const auto found = folders_.find(host);
    if (found == folders_.end() || !found->second.listable) return nullptr;
    return std::make_unique<Listing>(found->second, *this);
  }
  std::string ChildOf(const std::string& host, std::string_view name) const override {
    return host + "/" + std::string(name);
  }
  bool Unchanged(const std::string& host, const FolderId& id, const FolderStamp&) override {
    const FakeFolder& folder = folders_.at(host);
    return !folder.changed && folder.id == id;
  }
  bool ReadHeads(const std::string&, std::span<AheadItem> items, std::size_t, std::byte* into,
                 std::size_t stride, std::string&) override {
    for (AheadItem& item : items) {
      if (item.entry.name == gatedName) {
        gateReached = true;
        while (gateShut) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      if (item.wanted == 0) continue;
      const std::string content = Content(item.entry.name);
      item.headSize = std::min({item.wanted, stride, content.size()});
      std::memcpy(into, content.data(), item.headSize);
      into += stride;
      ++headsRead;
    }
    return false;
  }
  void NameThread(const char*) override {}

  static std::string Content(const std::string& name) { return name + name; }

 private:
  class Listing : public AheadFolder {
   public:
    Listing(const FakeFolder& folder, FakeDisk& disk) : folder_(folder), disk_(disk) {}
    bool Next(FolderEntry& entry) override {
      if (next_ == folder_.entries.size()) return false;
      const auto& [name, isFolder] = folder_.entries[next_++];
      entry = {name, isFolder ? kAttrDirectory : 0u};
      last_ = !isFolder;
      ++disk_.entriesListed;
      return true;
    }
    FolderId Id() const override { return folder_.id; }
    bool LastIsPlainFile() const override { return last_; }
    std::optional<FolderStamp> Stamp() const override {
      if (!folder_.stamped) return std::nullopt;
      return FolderStamp{1, 2};
    }

   private:
    const FakeFolder& folder_;
    FakeDisk& disk_;
    std::size_t next_ = 0;
    bool last_ = false;
  };

  const std::map<std::string, FakeFolder> folders_;
};

WalkPlan Plan() {
  WalkPlan plan;
  plan.root = "C:\\r\\";
  plan.subfolders = true;
  plan.enters = [](const std::string&, const FolderEntry& entry, bool) {
    return entry.attributes && (*entry.attributes & kAttrDirectory);
  };
  plan.headBytesOf = [](std::string_view name) -> std::size_t {
    return name.ends_with(".jpg") ? kHeadBytes : name.ends_with(".gif") ? 3 : 0;
  };
  plan.headBytes = kHeadBytes;
  return plan;
}

// What the walk must see of the tree, heads as the plan wants them.
void Expect(const std::map<std::string, FakeFolder>& folders, const std::string& host,
            const std::string& folder, std::vector<std::string>& seen) {
  const FakeFolder& at = folders.at(host);
  for (const auto& [name, isFolder] : at.entries) {
    std::string line = folder + name;
    const std::size_t wanted = isFolder ? 0 : Plan().headBytesOf(name);
    if (wanted > 0) line += " head=" + FakeDisk::Content(name).substr(0, wanted);
    seen.push_back(line);
  }
  for (const auto& [name, isFolder] : at.entries) {
    if (isFolder) Expect(folders, host + "/" + name, folder + name + "\\", seen);
  }
}

struct Tree {
  std::map<std::string, FakeFolder> folders;
  std::uint64_t ids = 0;

  FakeFolder& Add(const std::string& host, std::vector<std::pair<std::string, bool>> entries) {
    FakeFolder& folder = folders[host];
    folder.id = {1, ++ids};
    folder.entries = std::move(entries);
    return folder;
  }
};

std::unique_ptr<BatchedWalkAhead> Start(const Tree& tree, FakeDisk*& disk,
                                        std::vector<std::string>* served = nullptr) {
  auto owned = std::make_unique<FakeDisk>(tree.folders);
  disk = owned.get();
  return std::make_unique<BatchedWalkAhead>(
      Plan(), "/r", 3, std::move(owned), [served](const std::string& folder, const std::string&) {
        if (served) served->push_back(folder);
      });
}

TEST(BatchedWalkAhead, ServesEveryFolderInWalkOrderWithTheHeadsOfWantedFiles) {
  Tree tree;
  tree.Add(
      "/r",
      {{"a.jpg", false}, {"note.txt", false}, {"sub", true}, {"few.gif", false}, {"big", true}});
  tree.Add("/r/sub", {{"b.jpg", false}, {"deeper", true}});
  tree.Add("/r/sub/deeper", {{"c.jpg", false}});
  // Cut into batches both by entries and by heads.
  std::vector<std::pair<std::string, bool>> many;
  for (std::size_t i = 0; i < BatchedWalkAhead::kBatchEntries * 2 + 5; ++i) {
    const bool picture = i % 7 == 0 || (i > 1100 && i < 1100 + BatchedWalkAhead::kBatchHeads * 2);
    many.emplace_back(std::to_string(i) + (picture ? ".jpg" : ".txt"), false);
  }
  tree.Add("/r/big", many);
  FakeDisk* disk;
  std::vector<std::string> served;
  const auto ahead = Start(tree, disk, &served);

  PlannedWalk walk(Plan());
  walk.Folder(ahead.get(), "C:\\r\\");
  std::vector<std::string> expected;
  Expect(tree.folders, "/r", "C:\\r\\", expected);
  EXPECT_THAT(walk.listedByItself, IsEmpty());
  EXPECT_THAT(walk.seen, ElementsAreArray(expected));
  EXPECT_THAT(served, ElementsAreArray(
                          {"C:\\r\\", "C:\\r\\sub\\", "C:\\r\\sub\\deeper\\", "C:\\r\\big\\"}));
}

TEST(BatchedWalkAhead, AWalkThatStraysFromThePlanListsByItselfFromThenOn) {
  Tree tree;
  tree.Add("/r", {{"sub", true}});
  tree.Add("/r/sub", {{"a.jpg", false}});
  FakeDisk* disk;
  const auto ahead = Start(tree, disk);
  EXPECT_EQ(ahead->ListFolder("C:\\r\\sub\\"), nullptr);
  EXPECT_EQ(ahead->ListFolder("C:\\r\\"), nullptr);
}

TEST(BatchedWalkAhead, FoldersThatCannotBeServedAsListedAreLeftToTheWalkAlone) {
  Tree tree;
  tree.Add("/r", {{"changed", true}, {"unstamped", true}, {"unlistable", true}, {"fine", true}});
  tree.Add("/r/changed", {{"a.jpg", false}, {"below", true}}).changed = true;
  tree.Add("/r/changed/below", {{"b.jpg", false}});
  tree.Add("/r/unstamped", {{"c.jpg", false}}).stamped = false;
  tree.Add("/r/unlistable", {}).listable = false;
  tree.Add("/r/fine", {{"d.jpg", false}});
  FakeDisk* disk;
  const auto ahead = Start(tree, disk);

  // The walk lists those itself and goes into the sub-folders it finds.
  PlannedWalk walk(Plan());
  const std::string root = "C:\\r\\";
  ASSERT_NE(ahead->ListFolder(root), nullptr);
  EXPECT_EQ(ahead->ListFolder(root + "changed\\"), nullptr);
  walk.Folder(ahead.get(), root + "changed\\below\\");
  EXPECT_EQ(ahead->ListFolder(root + "unstamped\\"), nullptr);
  EXPECT_EQ(ahead->ListFolder(root + "unlistable\\"), nullptr);
  walk.Folder(ahead.get(), root + "fine\\");
  EXPECT_THAT(walk.listedByItself, IsEmpty());
  EXPECT_THAT(walk.seen, ElementsAreArray({"C:\\r\\changed\\below\\b.jpg head=b.jpgb.j",
                                           "C:\\r\\fine\\d.jpg head=d.jpgd.j"}));
}

TEST(BatchedWalkAhead, AFolderReachedTwiceIsListedOnce) {
  Tree tree;
  tree.Add("/r", {{"a.jpg", false}, {"up", true}});
  FakeFolder& up = tree.Add("/r/up", {{"a.jpg", false}, {"up", true}});
  up.id = tree.folders.at("/r").id;
  FakeDisk* disk;
  const auto ahead = Start(tree, disk);
  ASSERT_NE(ahead->ListFolder("C:\\r\\"), nullptr);
  const std::unique_ptr<FolderListing> again = ahead->ListFolder("C:\\r\\up\\");
  ASSERT_NE(again, nullptr);
  FolderEntry entry;
  EXPECT_FALSE(again->Next(entry));
  EXPECT_EQ(again->Id(), tree.folders.at("/r").id);
  EXPECT_EQ(disk->entriesListed, 2u);
}

// Waits until the helpers stop taking anything more.
void LetTheHelpersSettle(const FakeDisk& disk) {
  std::size_t before = 0;
  for (int i = 0; i < 200; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const std::size_t now = disk.entriesListed + disk.headsRead;
    if (i > 2 && now == before) return;
    before = now;
  }
}

TEST(BatchedWalkAhead, AWalkWaitingOnAReaderReadsLaterHeadsOnlyWithinTheWindow) {
  Tree tree;
  std::vector<std::pair<std::string, bool>> many;
  for (std::size_t i = 0; i < BatchedWalkAhead::kWindowHeads * 4; ++i) {
    many.emplace_back(std::to_string(i) + ".jpg", false);
  }
  tree.Add("/r", many);
  auto owned = std::make_unique<FakeDisk>(tree.folders);
  FakeDisk* disk = owned.get();
  disk->gatedName = "0.jpg";
  disk->gateShut = true;
  // A reader holds the first batch; the walk must not run past the window.
  const auto ahead = std::make_unique<BatchedWalkAhead>(
      Plan(), "/r", 1, std::move(owned), [](const std::string&, const std::string&) {});
  while (!disk->gateReached) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  PlannedWalk walk(Plan());
  std::thread walking([&] { walk.Folder(ahead.get(), "C:\\r\\"); });
  LetTheHelpersSettle(*disk);
  EXPECT_LE(disk->headsRead, BatchedWalkAhead::kWindowHeads + 2 * BatchedWalkAhead::kBatchHeads);
  EXPECT_GE(disk->headsRead, BatchedWalkAhead::kWindowHeads - BatchedWalkAhead::kBatchHeads);
  disk->gateShut = false;
  walking.join();
  std::vector<std::string> expected;
  Expect(tree.folders, "/r", "C:\\r\\", expected);
  EXPECT_THAT(walk.seen, ElementsAreArray(expected));
}

TEST(BatchedWalkAhead, AWalkThatFallsBehindHoldsTheHelpersWithinTheirWindows) {
  Tree tree;
  tree.Add("/r", {{"first", true}, {"second", true}});
  std::vector<std::pair<std::string, bool>> many;
  for (std::size_t i = 0; i < BatchedWalkAhead::kWindowEntries * 2; ++i) {
    many.emplace_back(std::to_string(i) + (i % 3 == 0 ? ".jpg" : ".txt"), false);
  }
  tree.Add("/r/first", many);
  tree.Add("/r/second", many);
  FakeDisk* disk;
  const auto ahead = Start(tree, disk);
  LetTheHelpersSettle(*disk);
  EXPECT_LE(disk->entriesListed,
            BatchedWalkAhead::kWindowEntries + BatchedWalkAhead::kBatchEntries);
  EXPECT_LE(disk->headsRead, BatchedWalkAhead::kWindowHeads + 3 * BatchedWalkAhead::kBatchHeads);
  EXPECT_GE(disk->headsRead, BatchedWalkAhead::kWindowHeads);

  // Taken as it goes, the window moves on to the end.
  PlannedWalk walk(Plan());
  walk.Folder(ahead.get(), "C:\\r\\");
  std::vector<std::string> expected;
  Expect(tree.folders, "/r", "C:\\r\\", expected);
  EXPECT_THAT(walk.listedByItself, IsEmpty());
  EXPECT_EQ(walk.seen, expected);
}

TEST(BatchedWalkAhead, EndsAtOnceWhenTheWalkStopsEarly) {
  Tree tree;
  std::vector<std::pair<std::string, bool>> many;
  for (std::size_t i = 0; i < BatchedWalkAhead::kWindowEntries * 2; ++i) {
    many.emplace_back(std::to_string(i) + ".jpg", false);
  }
  tree.Add("/r", many);
  FakeDisk* disk;
  auto ahead = Start(tree, disk);
  std::unique_ptr<FolderListing> listing = ahead->ListFolder("C:\\r\\");
  ASSERT_NE(listing, nullptr);
  FolderEntry entry;
  ASSERT_TRUE(listing->Next(entry));
  const auto before = std::chrono::steady_clock::now();
  // The listing goes first: its buffers go back to the reading ahead.
  listing.reset();
  ahead.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(1));
}

}  // namespace
}  // namespace zb
