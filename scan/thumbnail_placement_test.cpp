#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scan/placement_queue.h"
#include "testing/fake_program.h"

namespace zb {
namespace {

using testing::Each;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;

struct ThumbnailRun : FakeProgram {
  ThumbnailRun() {
    form.mnuOptionItem[kOptionThumbnails].SetChecked(true);
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
      files.AddFile(std::string("C:\\pics\\") + name);
  }
  FakeThumbnailMaker& maker = host.thumbnails;
};

TEST(ThumbnailPages, TheReducedPageShowsTheThumbnailAndStillLinksTheOriginal) {
  ThumbnailRun f;
  f.form.hscThumbnail.SetValue(120);
  f.Start();
  EXPECT_THAT(f.maker.began, ElementsAre("C:\\pics\\"));
  EXPECT_THAT(f.maker.submitted, ElementsAre(std::pair<std::string, int>("C:\\pics\\a.jpg", 240),
                                             std::pair<std::string, int>("C:\\pics\\b.jpg", 240),
                                             std::pair<std::string, int>("C:\\pics\\c.jpg", 240)));
  // Relative links (the first-start choice) make the thumbnail relative too.
  EXPECT_THAT(
      f.PictureLines("C:\\pics\\_gaz0000.html"),
      ElementsAre(HasSubstr("<a href=\"a.jpg\"  TARGET=\"aaa\" ><img src=\"_gazthumb/t0.jpg\""),
                  HasSubstr("<a href=\"b.jpg\"  TARGET=\"aaa\" ><img src=\"_gazthumb/t1.jpg\""),
                  HasSubstr("<a href=\"c.jpg\"  TARGET=\"aaa\" ><img src=\"_gazthumb/t2.jpg\"")));
  EXPECT_THAT(f.PictureLines("C:\\pics\\_gaz0000.htm"), Each(Not(HasSubstr("_gazthumb"))));
  EXPECT_THAT(f.maker.ended, ElementsAre(true));
}

TEST(ThumbnailPages, APictureWithoutThumbnailIsPlacedAsWithoutTheOption) {
  ThumbnailRun f;
  f.maker.undecodable = {"C:\\pics\\b.jpg"};
  f.Start();
  EXPECT_THAT(f.PictureLines("C:\\pics\\_gaz0000.html"),
              ElementsAre(HasSubstr("_gazthumb/t0.jpg"),
                          HasSubstr("<img src=\"b.jpg\" width= 100 height= 100 border=0>"),
                          HasSubstr("_gazthumb/t2.jpg")));
}

TEST(ThumbnailPages, PagesRollInWalkOrderWhileThumbnailsAreStillBeingMade) {
  ThumbnailRun f;
  f.form.hscGazoSuu.SetValue(2);
  f.Start();
  // Nothing was ready early, so every picture waited until the walk's end.
  EXPECT_THAT(f.maker.waited, ElementsAre(0, 1, 2));
  EXPECT_THAT(f.PictureLines("C:\\pics\\_gaz0000.html"),
              ElementsAre(HasSubstr("t0.jpg"), HasSubstr("t1.jpg")));
  EXPECT_THAT(f.PictureLines("C:\\pics\\_gaz0001.html"), ElementsAre(HasSubstr("t2.jpg")));
  EXPECT_EQ(f.run.ImageCount, 3);
}

TEST(ThumbnailPages, TheWalkWaitsOnceTooManyPicturesAreWaiting) {
  FakeProgram f;
  f.form.mnuOptionItem[kOptionThumbnails].SetChecked(true);
  const int pictures = static_cast<int>(PlacementQueue::kAhead) + 2;
  for (int i = 0; i < pictures; ++i) f.files.AddFile("C:\\pics\\p" + std::to_string(i) + ".jpg");
  f.Start();
  ASSERT_EQ(f.host.thumbnails.waited.size(), static_cast<std::size_t>(pictures));
  // The first was written while the last were still being submitted.
  EXPECT_EQ(f.run.ImageCount, pictures);
}

TEST(ThumbnailPages, AnOddPictureIsDeletedOnlyAfterItsLinesAreWritten) {
  ThumbnailRun f;
  f.files.AddFile("C:\\pics\\d;e.jpg");
  f.form.mnuOptionItem[kOptionDeleteOddFiles].SetChecked(true);
  f.host.dialogs.answers = {Answer::kYes};
  f.Start();
  ASSERT_THAT(f.files.Deleted(), ElementsAre("C:\\pics\\d;e.jpg"));
  EXPECT_THAT(f.PictureLines("C:\\pics\\_gaz0000.html"), Contains(HasSubstr("d;e.jpg")));
}

// A run into a sub-folder left its thumbnails there: a run from the folder
// above must not take them for pictures.
TEST(ThumbnailPages, ThumbnailFoldersAreNeverWalkedOthersOfThatNameAre) {
  FakeProgram f;
  f.form.chkAllFileList.SetValue(1);
  f.form.chkGazoHtml.SetValue(1);
  for (const char* folder : {"C:\\pics\\_gazthumb\\", "C:\\pics\\sub\\_GAZTHUMB\\"}) {
    f.files.AddFile(std::string(folder) + "0123456789abcdef.jpg");
    f.files.AddFile(std::string(folder) + "zorbelle-thumbnails.txt");
  }
  f.files.AddFile("C:\\pics\\other\\_gazthumb\\x.jpg");
  f.Start();
  EXPECT_THAT(f.files.Lines("C:\\pics\\allfile.txt"),
              ElementsAre("allfile.txt", "other\\_gazthumb\\x.jpg"));
  EXPECT_EQ(f.run.ImageCount, 1);
}

TEST(ThumbnailPages, AThumbnailFolderThatCannotBeTakenLeavesThePagesAsWithoutTheOptionAndSaysSo) {
  ThumbnailRun f;
  f.maker.refuse = true;
  f.Start();
  EXPECT_THAT(f.maker.submitted, IsEmpty());
  EXPECT_THAT(f.PictureLines("C:\\pics\\_gaz0000.html"),
              ElementsAre(HasSubstr("<img src=\"a.jpg\""), HasSubstr("<img src=\"b.jpg\""),
                          HasSubstr("<img src=\"c.jpg\"")));
  EXPECT_THAT(f.maker.ended, IsEmpty());
  EXPECT_THAT(f.form.LblComment.Caption(), HasSubstr("_gazthumb が使えない"));

  // Taken, or not asked for: the described text alone.
  for (const bool asked : {true, false}) {
    ThumbnailRun g;
    g.form.mnuOptionItem[kOptionThumbnails].SetChecked(asked);
    g.Start();
    EXPECT_THAT(g.form.LblComment.Caption(), Not(HasSubstr("_gazthumb"))) << asked;
  }
}

}  // namespace
}  // namespace zb
