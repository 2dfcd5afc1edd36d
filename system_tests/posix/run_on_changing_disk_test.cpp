// Whole runs on the real disk while the walk's folders change under it: the
// changes are made at the run's own yields, as a user's other programs would.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "gallery/signed_number.h"
#include "system_tests/posix/disk_run_for_test.h"

namespace zb {
namespace {

namespace fs = std::filesystem;
using testing::Contains;
using testing::ElementsAre;
using testing::IsEmpty;

long Count(const std::vector<std::string>& lines, const std::string& line) {
  return std::count(lines.begin(), lines.end(), line);
}

class RunOnChangingDisk : public testing::TestWithParam<int> {};
INSTANTIATE_TEST_SUITE_P(ReadAhead, RunOnChangingDisk, testing::Values(0, 3));

TEST_P(RunOnChangingDisk, FoldersThatGoAwayAfterTheirParentWasListedArePassedOver) {
  DiskRun r(GetParam());
  r.folder.Put("pics/a.gif", Gif(40));
  r.folder.Put("pics/gone/b.gif", Gif(40));
  r.folder.Put("pics/file-now/c.gif", Gif(40));
  int yields = 0;
  r.OnYield([&] {
    if (++yields != 2) return;  // at the first file, with the folder listed
    fs::rename(r.folder.Host("pics/gone"), r.folder.Host("moved-away"));
    fs::create_symlink(r.folder.Host("nowhere"), r.folder.Host("pics/gone"));
    fs::rename(r.folder.Host("pics/file-now"), r.folder.Host("moved-too"));
    r.folder.Put("pics/file-now", "a file where the folder was");
  });
  r.Start();
  EXPECT_EQ(r.program.session.lastOutcome, RunOutcome::kCompleted);
  EXPECT_THAT(r.dialogs.shown, IsEmpty());
  EXPECT_THAT(r.Output("allfile.txt"), ElementsAre("C:\\pics\\a.gif"));
  EXPECT_EQ(r.program.session.run.ImageCount, 1);
  EXPECT_THAT(r.Output("_gazlist.htm"),
              Contains("全部で " + SignedNumber(1) + "個 の画像がありました。<br>"));
}

TEST_P(RunOnChangingDisk, FilesDeletedOrRenamedWhileTheirFolderIsWalked) {
  DiskRun r(GetParam());
  // More entries than one read of a folder gives (32 KiB of them), so that
  // the listing is still being read when the files change.
  constexpr int kTexts = 2500;
  const auto text = [](int i) { return "t" + std::to_string(10000 + i) + ".txt"; };
  const auto renamed = [](int i) { return "r" + std::to_string(10000 + i) + ".txt"; };
  const auto picture = [](int i) { return "g" + std::to_string(10 + i) + ".gif"; };
  for (int i = 0; i < kTexts; ++i) r.folder.Put("pics/" + text(i));
  for (int i = 0; i < 12; ++i) r.folder.Put("pics/" + picture(i), Gif(40));
  r.folder.Put("pics/odd;1.txt");
  r.dialogs.answers = {Answer::kYes};
  int yields = 0;
  r.OnYield([&] {
    if (++yields != 2) return;
    for (int i = 0; i < 20; ++i) fs::remove(r.folder.Host("pics/" + text(i)));
    for (int i = 20; i < 40; ++i) {
      fs::rename(r.folder.Host("pics/" + text(i)), r.folder.Host("pics/" + renamed(i)));
    }
    fs::remove(r.folder.Host("pics/" + picture(0)));
    fs::rename(r.folder.Host("pics/" + picture(1)), r.folder.Host("pics/h.gif"));
    fs::remove(r.folder.Host("pics/odd;1.txt"));  // a Yes to it finds nothing to delete
  });
  r.Start();

  EXPECT_EQ(r.program.session.lastOutcome, RunOutcome::kCompleted);
  EXPECT_THAT(r.Reports(), IsEmpty());
  const std::vector<std::string> listed = r.Output("allfile.txt");
  const auto path = [](const std::string& name) { return "C:\\pics\\" + name; };
  for (int i = 40; i < kTexts; ++i) EXPECT_EQ(Count(listed, path(text(i))), 1) << text(i);
  for (int i = 2; i < 12; ++i) EXPECT_EQ(Count(listed, path(picture(i))), 1) << picture(i);
  for (int i = 0; i < 40; ++i) {
    EXPECT_LE(Count(listed, path(text(i))), 1) << text(i);
    EXPECT_LE(Count(listed, path(renamed(i))), 1) << renamed(i);
  }
  EXPECT_EQ(static_cast<long>(listed.size()), r.program.session.run.FileCount);

  // The pages hold what the walk saw, and say so.
  const std::vector<std::string> page = r.Output("_gaz0000.html");
  const long placed = std::count_if(page.begin(), page.end(), [](const std::string& line) {
    return line.starts_with("<a href=");
  });
  EXPECT_EQ(placed, r.program.session.run.ImageCount);
  EXPECT_GE(placed, 10);
  EXPECT_THAT(r.Output("_gazlist.htm"),
              Contains("全部で " + SignedNumber(placed) + "個 の画像がありました。<br>"));
  for (int i = 40; i < kTexts; ++i) EXPECT_TRUE(fs::exists(r.folder.Host("pics/" + text(i))));
}

TEST_P(RunOnChangingDisk, NamesThatHoldABackslashNeverReachAnotherFile) {
  DiskRun r(GetParam());
  // Names a Windows listing never gives, which would read as other paths.
  r.folder.Put("victim;1.txt", "kept");
  r.folder.Put("pics/..\\victim;1.txt");
  r.folder.Put("pics/sub/b.gif", Gif(40));
  r.folder.Put("pics/sub\\b.gif", Gif(40));
  r.dialogs.answers = {Answer::kYes, Answer::kYes, Answer::kYes};
  r.Start();
  EXPECT_EQ(r.program.session.lastOutcome, RunOutcome::kCompleted);
  EXPECT_EQ(r.folder.Contents("victim;1.txt"), "kept");
  EXPECT_THAT(r.Output("allfile.txt"), ElementsAre("C:\\pics\\sub\\b.gif"));
  EXPECT_EQ(r.program.session.run.ImageCount, 1);
  EXPECT_THAT(r.dialogs.shown, IsEmpty());
}

}  // namespace
}  // namespace zb
