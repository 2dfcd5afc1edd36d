#include "platform/posix/posix_file_system.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

using ::testing::Pair;
using ::testing::UnorderedElementsAre;

class PosixFileSystemTest : public ::testing::Test {
 protected:
  // The entries in listing order; "." and ".." must come first.
  std::vector<std::pair<std::string, std::optional<std::uint32_t>>> List(const std::string& folder,
                                                                         std::uint32_t mask) {
    std::vector<std::pair<std::string, std::optional<std::uint32_t>>> entries;
    auto listing = files_.ListFolder(folder, mask);
    EXPECT_NE(listing, nullptr);
    FolderEntry entry;
    while (listing && listing->Next(entry)) entries.emplace_back(entry.name, entry.attributes);
    EXPECT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[0].first, ".");
    EXPECT_EQ(entries[1].first, "..");
    entries.erase(entries.begin(), entries.begin() + 2);
    return entries;
  }

  TestFolder folder_;
  ShiftJisEncoding encoding_;
  DrivePaths paths_{folder_.Drives("d=/dev;p=/proc/sys/kernel")};
  PosixFileSystem files_{paths_, encoding_};
};

TEST_F(PosixFileSystemTest, ListingReportsFoldersAndHiddenEntriesAndFollowsLinks) {
  folder_.Put("pics/a.jpg");
  folder_.Put("pics/.thumbs.db");
  folder_.MakeFolder("pics/sub");
  folder_.MakeFolder("pics/.cache");
  symlink("sub", folder_.Host("pics/to-sub").c_str());
  symlink("a.jpg", folder_.Host("pics/to-a.jpg").c_str());
  symlink("nowhere", folder_.Host("pics/dangling.jpg").c_str());
  symlink("nowhere", folder_.Host("pics/.dangling").c_str());
  EXPECT_THAT(
      List("C:\\PICS\\", 23),
      UnorderedElementsAre(Pair("a.jpg", 0u), Pair(".thumbs.db", 2u), Pair("sub", 16u),
                           Pair(".cache", 18u), Pair("to-sub", 16u), Pair("to-a.jpg", 0u),
                           Pair("dangling.jpg", std::nullopt), Pair(".dangling", std::nullopt)));
  EXPECT_THAT(List("C:\\pics", 16),
              UnorderedElementsAre(Pair("a.jpg", 0u), Pair("sub", 16u), Pair("to-sub", 16u),
                                   Pair("to-a.jpg", 0u), Pair("dangling.jpg", std::nullopt)));
  EXPECT_THAT(List("C:\\pics", 0).size(), 3u);
}

TEST_F(PosixFileSystemTest, ListingIdentifiesTheFolderReachedThroughALoop) {
  folder_.MakeFolder("a/b");
  symlink("..", folder_.Host("a/b/up").c_str());
  auto direct = files_.ListFolder("C:\\a", 23);
  auto looped = files_.ListFolder("C:\\a\\b\\up", 23);
  auto other = files_.ListFolder("C:\\a\\b", 23);
  ASSERT_TRUE(direct && looped && other);
  EXPECT_EQ(direct->Id(), looped->Id());
  EXPECT_NE(direct->Id(), other->Id());
  folder_.Put("a.jpg");
  EXPECT_EQ(files_.ListFolder("C:\\missing", 23), nullptr);
  EXPECT_EQ(files_.ListFolder("C:\\a.jpg", 23), nullptr);
  EXPECT_EQ(files_.ListFolder("Q:\\", 23), nullptr);
}

TEST_F(PosixFileSystemTest, AttributesOfFilesFoldersRootsAndWhatCannotBeWritten) {
  folder_.Put("Pics/.Hidden/A.jpg");
  EXPECT_EQ(files_.GetAttributes("c:\\pics\\.hidden\\a.JPG"), 0u);
  EXPECT_EQ(files_.GetAttributes("C:\\PICS\\.HIDDEN\\"), 18u);
  EXPECT_EQ(files_.GetAttributes("C:\\"), 16u);
  EXPECT_EQ(files_.GetAttributes("P:\\ostype"), 1u);  // read-only even for root
  EXPECT_EQ(files_.GetAttributes("C:\\pics\\missing.jpg"), std::nullopt);
  EXPECT_EQ(files_.GetAttributes("Q:\\"), std::nullopt);
  // A final backslash names a folder only, as on Windows.
  EXPECT_EQ(files_.GetAttributes("c:\\pics\\.hidden\\a.JPG\\"), std::nullopt);
}

TEST_F(PosixFileSystemTest, MakesAndDeletesWhateverTheCaseWithoutMakingTwins) {
  folder_.Put("Pics/A.jpg");
  files_.MakeFolder("C:\\PICS\\New Folder");
  EXPECT_TRUE(std::filesystem::is_directory(folder_.Host("Pics/New Folder")));
  EXPECT_THROW(files_.MakeFolder("C:\\pics\\NEW FOLDER"), FileError);
  EXPECT_THROW(files_.MakeFolder("C:\\missing\\x"), FileError);
  files_.DeleteFile("C:\\pics\\a.JPG");
  EXPECT_FALSE(std::filesystem::exists(folder_.Host("Pics/A.jpg")));
  EXPECT_THROW(files_.DeleteFile("C:\\pics\\a.jpg"), FileError);
  EXPECT_THROW(files_.DeleteFile("C:\\pics"), FileError);
}

TEST_F(PosixFileSystemTest, ATextFileIsMadeOnlyInAFolderAndNeverThroughADevice) {
  EXPECT_THROW(files_.CreateTextFile("C:\\missing\\a.htm"), FileError);
  for (const char* device : {"D:\\full", "D:\\null"}) {
    EXPECT_THROW(files_.CreateTextFile(device), NotAPlainFileError) << device;
  }
}

TEST_F(PosixFileSystemTest, ReadsBytesAtAnOffsetFromRegularFilesOnly) {
  folder_.Put("a.GIF", "GIF89a\x80\x02\xE0\x01");
  std::array<std::byte, 4> buffer{};
  EXPECT_EQ(files_.ReadAt("C:\\A.gif", 6, buffer), 4u);
  EXPECT_EQ(buffer[0], std::byte{0x80});
  EXPECT_EQ(buffer[3], std::byte{0x01});
  EXPECT_EQ(files_.ReadAt("C:\\a.gif", 8, buffer), 2u);
  EXPECT_EQ(files_.ReadAt("C:\\a.gif", 100, buffer), 0u);
  EXPECT_THROW(files_.ReadAt("C:\\b.gif", 0, buffer), FileError);
  EXPECT_THROW(files_.ReadAt("C:\\", 0, buffer), FileError);
  // A pipe named like a picture must fail at once, not wait for a writer.
  ASSERT_EQ(mkfifo(folder_.Host("pipe.gif").c_str(), 0600), 0);
  EXPECT_THROW(files_.ReadAt("C:\\pipe.gif", 6, buffer), FileError);
}

TEST_F(PosixFileSystemTest, FileUrlIsThePercentEncodedHostPathAsOnDisk) {
  folder_.Put("My Pics/★ 100%.JPG");
  EXPECT_EQ(files_.FileUrl("C:\\my pics\\★ 100%.jpg"),
            "file://" + folder_.path() + "/My%20Pics/%E2%98%85%20100%25.JPG");
  EXPECT_EQ(files_.FileUrl("C:\\a-b_c.d~e"), "file://" + folder_.path() + "/a-b_c.d~e");
}

}  // namespace
}  // namespace zb
