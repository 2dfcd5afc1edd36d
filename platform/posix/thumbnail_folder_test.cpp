// Thumbnails on the real disk: which name a picture's thumbnail gets, who may
// read it, and what a run leaves in _gazthumb.
#include "platform/posix/thumbnail_folder.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/posix/posix_thumbnail_maker.h"
#include "platform/posix/testing/deep_folder.h"
#include "platform/posix/testing/test_folder.h"
#include "testing/test_pictures.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

constexpr int kSide = 240;

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

// Whether a user who is neither the owner nor in any group of ours can open
// the file: run in a child that has given up root.
bool StrangerCanRead(const std::string& path) {
  const pid_t child = fork();
  if (child == 0) {
    const bool dropped = setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0;
    _exit(!dropped ? 2 : open(path.c_str(), O_RDONLY) >= 0 ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 2) << "could not drop root";
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Two JPEGs of one size, red and blue: new content that a copy keeping the
// size and times would not show.
std::pair<std::string, std::string> RedAndBlueOfOneSize() {
  PicturePixels red = RedLeftBlueRight(64, 64);
  PicturePixels blue = red;
  for (std::size_t i = 0; i < blue.rgb.size(); i += 3) std::swap(blue.rgb[i], blue.rgb[i + 2]);
  std::string a = JpegWithOrientation(red, 1);
  std::string b = JpegWithOrientation(blue, 1);
  // Bytes after the end of the picture are never read.
  const std::size_t size = std::max(a.size(), b.size());
  a.resize(size, '\0');
  b.resize(size, '\0');
  return {a, b};
}

struct ThumbnailOnDisk : testing::Test {
  std::optional<std::string> MakeOne(const std::string& folderPath, const std::string& picture) {
    if (!maker.Begin(folderPath)) return "refused";
    const std::optional<std::string> name = maker.Wait(maker.Submit(picture, kSide));
    maker.End(true);
    return name;
  }
  std::string NameFor(const std::string& hostPath) const {
    struct stat st {};
    EXPECT_EQ(stat(hostPath.c_str(), &st), 0);
    return ThumbnailFileName(ThumbnailSourceOf(hostPath, st, kSide));
  }
  std::vector<std::string> Temporaries() const {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder.Host("pics/_gazthumb"))) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with(".zorbelle-tmp-")) found.push_back(name);
    }
    return found;
  }

  TestFolder folder;
  DrivePaths paths{folder.Drives()};
  PosixThumbnailMaker maker{paths, ZORBELLE_THUMBNAILER_PATH};
};

TEST(ThumbnailIdentity, EveryPartOfWhatAPictureIsNamesANewThumbnail) {
  struct stat base {};
  base.st_size = 1000;
  base.st_ino = 77;
  base.st_mtim = {1700000000, 5};
  base.st_ctim = {1700000000, 9};
  const std::string name = ThumbnailFileName(ThumbnailSourceOf("/p/a.jpg", base, kSide));
  EXPECT_EQ(name, ThumbnailFileName(ThumbnailSourceOf("/p/a.jpg", base, kSide)));
  const auto changed = [&](auto change) {
    struct stat other = base;
    change(other);
    return ThumbnailFileName(ThumbnailSourceOf("/p/a.jpg", other, kSide));
  };
  EXPECT_NE(changed([](struct stat& s) { s.st_mtim.tv_nsec += 1; }), name);
  EXPECT_NE(changed([](struct stat& s) { s.st_mtim.tv_sec += 1; }), name);
  EXPECT_NE(changed([](struct stat& s) { s.st_ctim.tv_nsec += 1; }), name);
  EXPECT_NE(changed([](struct stat& s) { s.st_ctim.tv_sec += 1; }), name);
  EXPECT_NE(changed([](struct stat& s) { s.st_ino += 1; }), name);
  EXPECT_NE(changed([](struct stat& s) { s.st_size += 1; }), name);
  EXPECT_NE(ThumbnailFileName(ThumbnailSourceOf("/p/b.jpg", base, kSide)), name);
  EXPECT_NE(ThumbnailFileName(ThumbnailSourceOf("/p/a.jpg", base, kSide + 1)), name);
  // What a run does not read (times of access, the owner) changes nothing.
  EXPECT_EQ(changed([](struct stat& s) { s.st_atim.tv_sec += 1; }), name);
}

TEST_F(ThumbnailOnDisk, NewContentThatKeepsSizeAndTimesGetsANewThumbnail) {
  const auto [red, blue] = RedAndBlueOfOneSize();
  const std::string picture = folder.Put("pics/a.jpg", red);
  const std::optional<std::string> first = MakeOne("C:\\pics\\", "C:\\pics\\a.jpg");
  ASSERT_TRUE(first && !first->empty());
  const std::string redThumbnail = folder.Contents("pics/_gazthumb/" + *first);

  // As cp -p or rsync -t would leave it: same file, size and modification time.
  struct stat before {};
  ASSERT_EQ(stat(picture.c_str(), &before), 0);
  {
    std::ofstream out(picture, std::ios::binary | std::ios::trunc);
    out << blue;
  }
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(utimensat(AT_FDCWD, picture.c_str(), times, 0), 0);
  struct stat after {};
  ASSERT_EQ(stat(picture.c_str(), &after), 0);
  ASSERT_EQ(after.st_ino, before.st_ino);
  ASSERT_EQ(after.st_size, before.st_size);

  const std::optional<std::string> second = MakeOne("C:\\pics\\", "C:\\pics\\a.jpg");
  ASSERT_TRUE(second && !second->empty());
  EXPECT_NE(*second, *first);
  EXPECT_TRUE(folder.Contents("pics/_gazthumb/" + *second) != redThumbnail);
  EXPECT_FALSE(fs::exists(folder.Host("pics/_gazthumb/" + *first)));
}

TEST_F(ThumbnailOnDisk, AThumbnailIsNoMoreReadableThanItsPicture) {
  const mode_t mask = umask(022);
  // A stranger must reach the folder for the modes of its files to matter.
  chmod(folder.Host("").c_str(), 0755);
  fs::permissions(folder.MakeFolder("private"), fs::perms::owner_all);
  // The host path of the thumbnail of a new picture of that mode.
  const auto thumbnailOf = [&](const std::string& name, mode_t mode, gid_t group = 0) {
    const std::string picture =
        folder.Put("private/" + name, JpegWithOrientation(RedLeftBlueRight(64, 64), 1));
    EXPECT_EQ(chown(picture.c_str(), 0, group), 0);
    chmod(picture.c_str(), mode);
    const std::optional<std::string> made = MakeOne("C:\\private\\", "C:\\private\\" + name);
    EXPECT_TRUE(made && !made->empty()) << name;
    return folder.Host("private/_gazthumb/" + made.value_or("missing"));
  };
  const std::string own = thumbnailOf("own.jpg", 0600);
  EXPECT_EQ(ModeOf(folder.Host("private/_gazthumb")), 0700u);
  EXPECT_EQ(ModeOf(own), 0600u);
  // Even with the folders opened up, the file itself stays closed.
  chmod(folder.Host("private").c_str(), 0755);
  chmod(folder.Host("private/_gazthumb").c_str(), 0755);
  EXPECT_FALSE(StrangerCanRead(own));

  // A picture for everyone gives a thumbnail for everyone.
  const std::string shared = thumbnailOf("shared.jpg", 0644);
  ASSERT_TRUE(StrangerCanRead(folder.Host("private/shared.jpg")));
  EXPECT_EQ(ModeOf(shared), 0644u);
  EXPECT_TRUE(StrangerCanRead(shared));
  // Readable by its own group only: the thumbnail's group is not that group.
  EXPECT_EQ(ModeOf(thumbnailOf("grouped.jpg", 0640, 4242)), 0600u);
  // The umask takes away more.
  umask(077);
  EXPECT_EQ(ModeOf(thumbnailOf("later.jpg", 0644)), 0600u);
  umask(mask);
}

TEST_F(ThumbnailOnDisk, TemporariesNeverOutliveTheirRun) {
  const std::string picture =
      folder.Put("pics/a.jpg", JpegWithOrientation(RedLeftBlueRight(64, 64), 1));
  // A killed run left one; a stopped run does not clean up, a whole one does.
  folder.Put("pics/_gazthumb/zorbelle-thumbnails.txt", "");
  folder.Put("pics/_gazthumb/.zorbelle-tmp-99-0", "half");
  ASSERT_TRUE(maker.Begin("C:\\pics\\"));
  maker.End(false);
  EXPECT_EQ(Temporaries(), std::vector<std::string>{".zorbelle-tmp-99-0"});

  // A write that cannot be put in place (a folder holds its name) leaves no
  // temporary, before the end of the run's clean-up too.
  fs::create_directories(folder.Host("pics/_gazthumb/" + NameFor(picture) + "/x"));
  fs::remove(folder.Host("pics/_gazthumb/.zorbelle-tmp-99-0"));
  ASSERT_TRUE(maker.Begin("C:\\pics\\"));
  EXPECT_EQ(maker.Wait(maker.Submit("C:\\pics\\a.jpg", kSide)), std::nullopt);
  EXPECT_TRUE(Temporaries().empty());
  maker.End(true);

  folder.Put("pics/_gazthumb/.zorbelle-tmp-99-1", "half");
  ASSERT_TRUE(maker.Begin("C:\\pics\\"));
  maker.End(true);
  EXPECT_TRUE(Temporaries().empty());
}

TEST_F(ThumbnailOnDisk, APicturePastThePathLimitGetsItsThumbnail) {
  folder.MakeFolder("pics");
  const DeepFolder deep(folder.Host("pics"), PATH_MAX / 200 + 2);
  deep.Put("deep.jpg", JpegWithOrientation(RedLeftBlueRight(64, 64), 1));
  const std::string picture = deep.DrivePath("C:\\pics") + "\\deep.jpg";
  ASSERT_GT(picture.size(), std::size_t{PATH_MAX});
  const std::optional<std::string> name = MakeOne("C:\\pics\\", picture);
  ASSERT_TRUE(name.has_value());
  EXPECT_FALSE(name->empty());
}

}  // namespace
}  // namespace zb
