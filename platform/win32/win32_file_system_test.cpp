#include "platform/win32/win32_file_system.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "platform/win32/testing/win32_test_folder.h"
#include "platform/win32/win32_shift_jis_encoding.h"
#include "platform/win32/windows_api.h"

namespace zb {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;
using ::testing::UnorderedElementsAre;

class Win32FileSystemTest : public ::testing::Test {
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
    EXPECT_THAT(entries[0], Pair(".", 16u));
    EXPECT_THAT(entries[1], Pair("..", 16u));
    entries.erase(entries.begin(), entries.begin() + 2);
    return entries;
  }
  void SetAttributes(std::string_view relative, DWORD attributes) {
    ASSERT_TRUE(SetFileAttributesW(folder_.Native(relative).c_str(), attributes));
  }

  Win32TestFolder folder_;
  Win32ShiftJisEncoding encoding_;
  Win32FileSystem files_{encoding_};
};

TEST_F(Win32FileSystemTest, ListingReportsTheWindowsBitsAndFiltersByTheMask) {
  folder_.Put("pics\\a.jpg");
  folder_.Put("pics\\hidden.db");
  folder_.Put("pics\\system.db");
  folder_.Put("pics\\both.db");
  folder_.Put("pics\\fixed.jpg");
  folder_.MakeFolder("pics\\sub");
  folder_.MakeFolder("pics\\secret");
  SetAttributes("pics\\hidden.db", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  SetAttributes("pics\\system.db", FILE_ATTRIBUTE_SYSTEM);
  SetAttributes("pics\\both.db", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  SetAttributes("pics\\fixed.jpg", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  SetAttributes("pics\\secret", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
  const std::string pics = folder_.At("PICS");
  EXPECT_THAT(List(pics + "\\", 23),
              UnorderedElementsAre(Pair("a.jpg", 0u), Pair("hidden.db", 2u), Pair("system.db", 4u),
                                   Pair("both.db", 6u), Pair("fixed.jpg", 1u), Pair("sub", 16u),
                                   Pair("secret", 18u)));
  EXPECT_THAT(List(pics, 16),
              UnorderedElementsAre(Pair("a.jpg", 0u), Pair("fixed.jpg", 1u), Pair("sub", 16u)));
  EXPECT_THAT(List(pics, 2), UnorderedElementsAre(Pair("a.jpg", 0u), Pair("hidden.db", 2u),
                                                  Pair("fixed.jpg", 1u)));
  EXPECT_THAT(List(pics, 6).size(), 5u);
  // A drive root lists no dots of its own.
  EXPECT_GE(List("C:\\", 23).size(), 1u);
  EXPECT_EQ(files_.GetAttributes(folder_.At("pics\\FIXED.jpg")), 1u);
  EXPECT_EQ(files_.GetAttributes(folder_.At("PICS\\SECRET\\")), 18u);
  EXPECT_EQ(files_.GetAttributes("C:\\"), 16u);
  EXPECT_EQ(files_.GetAttributes(folder_.At("pics\\missing.jpg")), std::nullopt);
  // A final backslash names a folder only.
  EXPECT_EQ(files_.GetAttributes(folder_.At("pics\\fixed.jpg\\")), std::nullopt);
}

TEST_F(Win32FileSystemTest, ListingIdentifiesAFolderReachedThroughALink) {
  folder_.MakeFolder("a\\b");
  auto direct = files_.ListFolder(folder_.At("a"), 23);
  auto other = files_.ListFolder(folder_.At("a\\b"), 23);
  ASSERT_TRUE(direct && other);
  EXPECT_NE(direct->Id(), other->Id());
  EXPECT_EQ(files_.ListFolder(folder_.At("A\\"), 23)->Id(), direct->Id());
  folder_.Put("a.jpg");
  EXPECT_EQ(files_.ListFolder(folder_.At("missing"), 23), nullptr);
  EXPECT_EQ(files_.ListFolder(folder_.At("a.jpg"), 23), nullptr);
  if (!folder_.Junction("a\\b\\up", folder_.At("a")) &&
      !folder_.Link("a\\b\\up", folder_.At("a"), true)) {
    GTEST_SKIP() << "this Wine makes neither junctions nor folder links";
  }
  auto looped = files_.ListFolder(folder_.At("a\\b\\up"), 23);
  ASSERT_NE(looped, nullptr);
  EXPECT_EQ(looped->Id(), direct->Id());
  EXPECT_THAT(List(folder_.At("a\\b"), 23), UnorderedElementsAre(Pair("up", 16u)));
  EXPECT_EQ(files_.GetAttributes(folder_.At("a\\b\\up\\")), 16u);
}

TEST_F(Win32FileSystemTest, MakesAndDeletes) {
  folder_.Put("Pics\\A.jpg");
  files_.MakeFolder(folder_.At("PICS\\New Folder"));
  EXPECT_TRUE(std::filesystem::is_directory(folder_.Native("Pics\\New Folder")));
  EXPECT_THROW(files_.MakeFolder(folder_.At("pics\\NEW FOLDER")), FileError);
  EXPECT_THROW(files_.MakeFolder(folder_.At("missing\\x")), FileError);
  files_.DeleteFile(folder_.At("pics\\a.JPG"));
  EXPECT_FALSE(folder_.Exists("Pics\\A.jpg"));
  EXPECT_THROW(files_.DeleteFile(folder_.At("pics\\a.jpg")), FileError);
  EXPECT_THROW(files_.DeleteFile(folder_.At("pics")), FileError);
}

TEST_F(Win32FileSystemTest, SpellsEachExistingNameAsOnDiskInPathsAndUrls) {
  folder_.Put("My Pics\\Sub\\A.Jpg");
  const std::string base = files_.SpelledAsOnDisk(folder_.path());
  EXPECT_EQ(files_.SpelledAsOnDisk(folder_.At("MY PICS\\sub\\a.jpg")),
            base + "\\My Pics\\Sub\\A.Jpg");
  EXPECT_EQ(files_.SpelledAsOnDisk(folder_.At("my pics\\SUB\\")), base + "\\My Pics\\Sub\\");
  EXPECT_EQ(files_.SpelledAsOnDisk(folder_.At("my pics\\New\\a.jpg")),
            base + "\\My Pics\\New\\a.jpg");
  EXPECT_EQ(files_.SpelledAsOnDisk(folder_.At("my pics\\*")), base + "\\My Pics\\*");
  EXPECT_EQ(files_.SpelledAsOnDisk("c:\\"), "c:\\");
  // A file URL is the percent-encoded path as on disk.
  folder_.Put("My Pics\\★ 100%.JPG");
  const std::string url = files_.FileUrl(folder_.path());
  ASSERT_TRUE(url.starts_with("file:///C:/")) << url;
  EXPECT_EQ(files_.FileUrl(folder_.At("my pics\\★ 100%.jpg")),
            url + "/My%20Pics/%E2%98%85%20100%25.JPG");
  EXPECT_EQ(files_.FileUrl("C:\\a-b_c.d~e:f"), "file:///C:/a-b_c.d~e%3Af");
}

TEST_F(Win32FileSystemTest, ReadsBytesAtAnOffsetFromDiskFilesOnly) {
  folder_.Put("a.GIF", "GIF89a\x80\x02\xE0\x01");
  std::array<std::byte, 4> buffer{};
  EXPECT_EQ(files_.ReadAt(folder_.At("A.gif"), 6, buffer), 4u);
  EXPECT_EQ(buffer[0], std::byte{0x80});
  EXPECT_EQ(buffer[3], std::byte{0x01});
  EXPECT_EQ(files_.ReadAt(folder_.At("a.gif"), 8, buffer), 2u);
  EXPECT_EQ(files_.ReadAt(folder_.At("a.gif"), 100, buffer), 0u);
  EXPECT_THROW(files_.ReadAt(folder_.At("b.gif"), 0, buffer), FileError);
  EXPECT_THROW(files_.ReadAt(folder_.path(), 0, buffer), FileError);
  // A pipe named like a picture must fail at once, not wait for a writer.
  ASSERT_TRUE(folder_.Fifo("pipe.gif"));
  EXPECT_THROW(files_.ReadAt(folder_.At("pipe.gif"), 6, buffer), FileError);
}

TEST_F(Win32FileSystemTest, PathsPastTheOldLimitWork) {
  std::string deep;
  for (int i = 0; i < 12; ++i) deep += std::string(30, static_cast<char>('a' + i)) + "\\";
  std::filesystem::create_directories(folder_.Native(deep.substr(0, deep.size() - 31)));
  files_.MakeFolder(folder_.At(deep.substr(0, deep.size() - 1)));
  const std::string page = folder_.At(deep + "Page.htm");
  ASSERT_GT(page.size(), 400u);
  auto file = files_.CreateTextFile(page);
  file->WriteLine("deep");
  file->Close();
  EXPECT_EQ(folder_.Contents(deep + "page.htm"), "deep\r\n");
  EXPECT_THAT(List(folder_.At(deep), 23), ElementsAre(Pair("Page.htm", 0u)));
  EXPECT_EQ(files_.GetAttributes(page), 0u);
  EXPECT_EQ(files_.SpelledAsOnDisk(folder_.At(deep + "PAGE.HTM")).substr(page.size() - 8),
            "Page.htm");
  std::array<std::byte, 2> buffer{};
  EXPECT_EQ(files_.ReadAt(page, 4, buffer), 2u);
  EXPECT_TRUE(files_.IsPlainFileBelow(folder_.path(), page));
  files_.DeleteFileBelow(folder_.path(), page);
  EXPECT_EQ(files_.GetAttributes(page), std::nullopt);
}

}  // namespace
}  // namespace zb
