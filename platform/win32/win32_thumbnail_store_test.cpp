#include "platform/win32/win32_thumbnail_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/win32/testing/win32_test_folder.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

const std::vector<std::uint8_t> kBytes = {0xFF, 0xD8, 1, 2, 3};

// An output folder of its own under the temporary folder (on C:).
struct ThumbnailStoreTest : testing::Test {
  std::string Output() const { return folder.path(); }
  fs::path Thumbs() const { return root / "_gazthumb"; }
  void Put(const fs::path& path, const std::string& text = "x") const {
    std::ofstream(path, std::ios::binary) << text;
  }
  Win32TestFolder folder;
  fs::path root = folder.Native("");
};

TEST_F(ThumbnailStoreTest, TakesANewOrEmptyFolderOrOneWithTheMarkAndRefusesOthers) {
  ASSERT_TRUE(Win32ThumbnailStore::Open(Output()));
  EXPECT_TRUE(fs::is_regular_file(Thumbs() / kThumbnailOwnerMark));
  EXPECT_TRUE(Win32ThumbnailStore::Open(Output())) << "our own, found again";

  fs::remove(Thumbs() / kThumbnailOwnerMark);
  Put(Thumbs() / "theirs.txt");
  EXPECT_FALSE(Win32ThumbnailStore::Open(Output())) << "someone else's folder";

  fs::remove_all(Thumbs());
  Put(Thumbs());
  EXPECT_FALSE(Win32ThumbnailStore::Open(Output())) << "a file of the name";
  EXPECT_FALSE(Win32ThumbnailStore::Open(Utf8FromWide((root / "missing").wstring())));
}

TEST_F(ThumbnailStoreTest, RefusesALinkAsTheFolderEvenToAMarkedOne) {
  const fs::path elsewhere = root / "elsewhere";
  fs::create_directories(elsewhere);
  Put(elsewhere / kThumbnailOwnerMark);
  if (!folder.Link("_gazthumb", folder.At("elsewhere"), true))
    GTEST_SKIP() << "no folder link made here";
  EXPECT_FALSE(Win32ThumbnailStore::Open(Output()));
}

TEST_F(ThumbnailStoreTest, WritesWholeFilesAndNeverThroughALink) {
  auto store = Win32ThumbnailStore::Open(Output());
  ASSERT_TRUE(store);
  const std::string name = "0123456789abcdef.jpg";
  EXPECT_FALSE(store->Has(name));
  ASSERT_TRUE(store->Write(name, kBytes));
  EXPECT_TRUE(store->Has(name));
  EXPECT_EQ(fs::file_size(Thumbs() / name), kBytes.size());
  Put(Thumbs() / "0000000000000000.jpg", "");
  EXPECT_FALSE(store->Has("0000000000000000.jpg")) << "an empty file is no thumbnail";

  const fs::path target = root / "target.jpg";
  Put(target, "theirs");
  const std::string linked = "fedcba9876543210.jpg";
  if (!folder.Link("_gazthumb\\" + linked, folder.At("target.jpg"), false))
    GTEST_SKIP() << "no link made that shows as one (Wine 8 shows a link to a file as the file)";
  EXPECT_FALSE(store->Has(linked)) << "a link is no thumbnail";
  ASSERT_TRUE(store->Write(linked, kBytes));
  EXPECT_EQ(fs::file_size(target), 6u) << "written through the link";
  EXPECT_FALSE(fs::is_symlink(Thumbs() / linked));
  EXPECT_TRUE(store->Has(linked));
}

TEST_F(ThumbnailStoreTest, AFailedWriteLeavesNothingBehind) {
  auto store = Win32ThumbnailStore::Open(Output());
  ASSERT_TRUE(store);
  fs::create_directories(Thumbs() / "0123456789abcdef.jpg");
  EXPECT_FALSE(store->Write("0123456789abcdef.jpg", kBytes));
  EXPECT_FALSE(store->Has("0123456789abcdef.jpg")) << "a folder is no thumbnail";
  EXPECT_EQ(folder.Entries("_gazthumb"), 2u) << "the mark and the folder alone";
}

TEST_F(ThumbnailStoreTest, RemovesOnlyUnusedThumbnailsRecordsAndLeftoversNotWhatTheyLeadTo) {
  auto store = Win32ThumbnailStore::Open(Output());
  ASSERT_TRUE(store);
  for (const char* name : {"0000000000000001.jpg", "0000000000000002.jpg", "0000000000000003.none",
                           ".zorbelle-tmp-99-1", "notes.txt"}) {
    Put(Thumbs() / name);
  }
  fs::create_directories(Thumbs() / "0000000000000004.jpg");
  // A link to a folder: Wine shows a link as one only when it leads to a
  // folder. What it leads to stays, whatever becomes of the link.
  folder.Put("kept\\picture.jpg");
  folder.Link("_gazthumb\\0000000000000005.jpg", folder.At("kept"), true);
  store->RemoveUnused({"0000000000000001.jpg"});
  EXPECT_TRUE(fs::exists(Thumbs() / "0000000000000001.jpg"));
  EXPECT_FALSE(fs::exists(Thumbs() / "0000000000000002.jpg"));
  EXPECT_FALSE(fs::exists(Thumbs() / "0000000000000003.none"));
  EXPECT_FALSE(fs::exists(Thumbs() / ".zorbelle-tmp-99-1"));
  EXPECT_TRUE(fs::exists(Thumbs() / "notes.txt"));
  EXPECT_TRUE(fs::exists(Thumbs() / kThumbnailOwnerMark));
  EXPECT_TRUE(fs::is_directory(Thumbs() / "0000000000000004.jpg"));
  EXPECT_TRUE(fs::exists(root / "kept" / "picture.jpg"));
}

TEST_F(ThumbnailStoreTest, NamesFollowThePicturesIdentitySizeTimesAndSide) {
  auto store = Win32ThumbnailStore::Open(Output());
  ASSERT_TRUE(store);
  const fs::path picture = root / "a.jpg";
  Put(picture, "one");
  const std::string path = Utf8FromWide(picture.wstring());
  const auto first = store->Find(path, 240);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->hostPath, path);
  EXPECT_TRUE(IsThumbnailFileName(first->thumbnailName));
  EXPECT_EQ(store->Find(path, 240)->thumbnailName, first->thumbnailName);
  EXPECT_NE(store->Find(path, 120)->thumbnailName, first->thumbnailName);

  // New content of the same size, its last-write time set back: the
  // change time still tells.
  const std::int64_t modified = ThumbnailSourceOfFile(path, 240)->modifiedNanoseconds;
  UniqueHandle file(CreateFileW(picture.c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr));
  FILETIME written{};
  ASSERT_TRUE(GetFileTime(file.get(), nullptr, nullptr, &written));
  Sleep(20);
  Put(picture, "two");
  ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &written));
  ASSERT_EQ(ThumbnailSourceOfFile(path, 240)->modifiedNanoseconds, modified);
  EXPECT_NE(store->Find(path, 240)->thumbnailName, first->thumbnailName);

  EXPECT_FALSE(store->Find(Utf8FromWide(root.wstring()), 240)) << "a folder";
  EXPECT_FALSE(store->Find(Utf8FromWide((root / "none.jpg").wstring()), 240));

  ASSERT_TRUE(first->write(first->thumbnailName, kBytes));
  EXPECT_TRUE(store->Has(first->thumbnailName));
}

}  // namespace
}  // namespace zb
