#include "platform/posix/posix_thumbnail_maker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/posix/testing/test_folder.h"
#include "testing/test_pictures.h"

namespace zb {
namespace {

using testing::UnorderedElementsAre;
namespace fs = std::filesystem;

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// The records of pictures that gave no thumbnail.
std::vector<std::string> Records(const std::string& folder) {
  std::vector<std::string> records;
  for (const std::string& name : Names(folder)) {
    if (name.ends_with(".none")) records.push_back(name);
  }
  return records;
}

struct MakerTest : testing::Test {
  MakerTest() {
    const std::string jpeg = JpegWithOrientation(RedLeftBlueRight(400, 300), 1);
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
      folder.Put(std::string("pics/") + name, jpeg);
  }
  // One run over these pictures; the thumbnails' names, empty for none.
  std::vector<std::string> Run(const std::vector<std::string>& pictures) {
    std::vector<std::string> names;
    if (!maker.Begin("C:\\pics\\")) return {"refused"};
    std::vector<ThumbnailMaker::Ticket> tickets;
    for (const std::string& p : pictures) tickets.push_back(maker.Submit("C:\\pics\\" + p, 240));
    for (auto t : tickets) names.push_back(maker.Wait(t).value_or(""));
    maker.End(true);
    return names;
  }

  TestFolder folder;
  DrivePaths paths{folder.Drives()};
  PosixThumbnailMaker maker{paths, ZORBELLE_THUMBNAILER_PATH};
};

TEST_F(MakerTest, ASecondRunDecodesNothingAndStaleThumbnailsGoButNothingElse) {
  const auto first = Run({"a.jpg", "b.jpg", "c.jpg"});
  EXPECT_EQ(maker.Decodes(), 3u);
  for (const std::string& name : first) {
    ASSERT_FALSE(name.empty());
    struct stat st {};
    ASSERT_EQ(stat(folder.Host("pics/_gazthumb/" + name).c_str(), &st), 0);
    EXPECT_GT(st.st_size, 100);
  }
  folder.Put("pics/_gazthumb/notes.txt", "mine");
  folder.Put("pics/_gazthumb/holiday.jpg", "mine too");
  EXPECT_EQ(Run({"a.jpg", "b.jpg", "c.jpg"}), first);
  EXPECT_EQ(maker.Decodes(), 3u);

  // b changes (its size does), c goes: their old thumbnails go, a's stays.
  folder.Put("pics/b.jpg", JpegWithOrientation(RedLeftBlueRight(300, 300), 1));
  const auto third = Run({"a.jpg", "b.jpg"});
  EXPECT_EQ(maker.Decodes(), 4u);
  EXPECT_EQ(third[0], first[0]);
  EXPECT_NE(third[1], first[1]);
  EXPECT_THAT(Names(folder.Host("pics/_gazthumb")),
              UnorderedElementsAre(third[0], third[1], "notes.txt", "holiday.jpg",
                                   "zorbelle-thumbnails.txt"));
}

TEST_F(MakerTest, AFolderThatIsNotOursOrNoFolderIsRefused) {
  folder.Put("pics/_gazthumb/holiday.jpg", "someone's");
  EXPECT_THAT(Run({"a.jpg"}), testing::ElementsAre("refused"));
  EXPECT_THAT(Names(folder.Host("pics/_gazthumb")), UnorderedElementsAre("holiday.jpg"));
  fs::remove_all(folder.Host("pics/_gazthumb"));

  // A link to a folder of ours elsewhere is no folder of ours here.
  folder.Put("elsewhere/zorbelle-thumbnails.txt", "");
  fs::create_directory_symlink(folder.Host("elsewhere"), folder.Host("pics/_gazthumb"));
  EXPECT_THAT(Run({"a.jpg"}), testing::ElementsAre("refused"));
  EXPECT_THAT(Names(folder.Host("elsewhere")), UnorderedElementsAre("zorbelle-thumbnails.txt"));
  fs::remove(folder.Host("pics/_gazthumb"));
  folder.Put("pics/_gazthumb", "a file");
  EXPECT_THAT(Run({"a.jpg"}), testing::ElementsAre("refused"));
}

TEST_F(MakerTest, NoThumbnailIsWrittenThroughALinkOfItsName) {
  const auto first = Run({"a.jpg"});
  const std::string thumbnail = folder.Host("pics/_gazthumb/" + first[0]);
  fs::remove(thumbnail);
  folder.Put("victim", "keep");
  fs::create_symlink(folder.Host("victim"), thumbnail);
  EXPECT_EQ(Run({"a.jpg"}), first);
  EXPECT_EQ(folder.Contents("victim"), "keep");
  EXPECT_FALSE(fs::is_symlink(thumbnail));
}

TEST_F(MakerTest, UnreadablePicturesAndHelpersThatDieCostOnlyTheirThumbnails) {
  folder.Put("pics/cut.jpg", JpegWithOrientation(RedLeftBlueRight(400, 300), 1).substr(0, 300));
  mkfifo(folder.Host("pics/pipe.jpg").c_str(), 0644);
  const auto names = Run({"cut.jpg", "pipe.jpg", "missing.jpg", "a.jpg"});
  EXPECT_EQ(names[0], "");
  EXPECT_EQ(names[1], "");
  EXPECT_EQ(names[2], "");
  EXPECT_NE(names[3], "");

  // A helper that dies on every picture: no thumbnails, and the run goes on.
  folder.Put("crash.sh", "#!/bin/sh\nkill -SEGV $$\n");
  fs::permissions(folder.Host("crash.sh"), fs::perms::owner_all);
  // Nor does a helper that is not there (none found, or gone since).
  for (const std::string& helper : {folder.Host("crash.sh"), folder.Host("gone"), std::string()}) {
    PosixThumbnailMaker failing{paths, helper};
    ASSERT_TRUE(failing.Begin("C:\\pics\\"));
    const auto first = failing.Submit("C:\\pics\\b.jpg", 240);
    const auto second = failing.Submit("C:\\pics\\c.jpg", 240);
    EXPECT_EQ(failing.Wait(first), std::nullopt) << helper;
    EXPECT_EQ(failing.Wait(second), std::nullopt) << helper;
    failing.End(true);
  }
}

TEST_F(MakerTest, AFullDiskLeavesNoThumbnailAndNoTemporaryFileBehind) {
  const std::string disk = folder.MakeFolder("disk");
  if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "no tmpfs can be mounted here (" << std::strerror(errno) << ")";
  }
  struct Unmount {
    std::string where;
    ~Unmount() { umount2(where.c_str(), MNT_DETACH); }
  } unmount{disk};
  folder.Put("disk/a.jpg", JpegWithOrientation(RedLeftBlueRight(400, 300), 1));
  ASSERT_TRUE(maker.Begin("C:\\disk\\"));
  {
    std::ofstream filler(disk + "/filler", std::ios::binary);
    const std::string block(1024, 'x');
    while (filler.write(block.data(), block.size()) && filler.flush()) {
    }
  }
  EXPECT_EQ(maker.Wait(maker.Submit("C:\\disk\\a.jpg", 240)), std::nullopt);
  maker.End(true);
  EXPECT_THAT(Names(disk + "/_gazthumb"), UnorderedElementsAre("zorbelle-thumbnails.txt"));

  fs::remove(disk + "/filler");
  ASSERT_TRUE(maker.Begin("C:\\disk\\"));
  EXPECT_NE(maker.Wait(maker.Submit("C:\\disk\\a.jpg", 240)), std::nullopt);
  maker.End(true);
}

// Decoding it again would cost the same again, on every run.
TEST_F(MakerTest, APictureThatGaveNoThumbnailIsNotTriedAgainWhileUnchanged) {
  const std::string jpeg = JpegWithOrientation(RedLeftBlueRight(400, 300), 1);
  folder.Put("pics/cut.jpg", jpeg.substr(0, 300));
  EXPECT_EQ(Run({"cut.jpg", "a.jpg"})[0], "");
  EXPECT_EQ(maker.Decodes(), 2u);
  EXPECT_EQ(Records(folder.Host("pics/_gazthumb")).size(), 1u);
  EXPECT_EQ(Run({"cut.jpg", "a.jpg"})[0], "");
  EXPECT_EQ(maker.Decodes(), 2u);

  folder.Put("pics/cut.jpg", jpeg);
  EXPECT_NE(Run({"cut.jpg", "a.jpg"})[0], "");
  EXPECT_EQ(maker.Decodes(), 3u);
  EXPECT_THAT(Records(folder.Host("pics/_gazthumb")), testing::IsEmpty());
}

}  // namespace
}  // namespace zb
