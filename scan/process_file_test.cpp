#include "scan/process_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "settings/crash_marker.h"
#include "testing/fake_program.h"

namespace zb {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

std::string GifHeader(unsigned width, unsigned height) {
  std::string bytes = "GIF89a";
  for (unsigned v : {width, height}) {
    bytes += static_cast<char>(v & 0xFF);
    bytes += static_cast<char>(v >> 8);
  }
  return bytes + std::string(16, '\0');
}

TEST(PictureSelection, TakesPictureExtensionsInAnyCase) {
  FakeProgram f;
  for (const char* name :
       {"Photo.JPG", "a.Jpeg", "x.GIF", "a.jpe", "a.png", "a.tif", "a.bmp", "noext", "a.jpg.txt"}) {
    f.files.AddFile(std::string("C:\\pics\\") + name);
  }
  f.files.AddFile("C:\\pics\\my.folder\\plain");
  f.form.chkBmp.SetValue(0);
  f.Start();
  EXPECT_EQ(f.run.ImageCount, 4);
  f.form.chkBmp.SetValue(1);
  f.Start();
  EXPECT_EQ(f.run.ImageCount, 5);
}

TEST(PictureSelection, MeasuresGifHeadersAsUnsignedPixels) {
  FakeProgram f;
  f.files.AddFile("C:\\pics\\wide.gif", GifHeader(640, 480));
  f.files.AddFile("C:\\pics\\small.gif", GifHeader(80, 60));
  f.files.AddFile("C:\\pics\\flat.gif", GifHeader(640, 0));
  f.files.AddFile("C:\\pics\\huge.gif", GifHeader(40000, 20000));
  f.files.AddFile("C:\\pics\\short.gif", "GIF");
  f.Start();
  EXPECT_THAT(
      f.PictureLines("C:\\pics\\_gaz0000.html"),
      ElementsAre(HasSubstr(" width= 100 height= 75 "), HasSubstr(" width= 80 height= 60 "),
                  HasSubstr(" width= 100 height= 100 "), HasSubstr(" width= 100 height= 50 "),
                  HasSubstr(" width= 100 height= 100 ")));
  EXPECT_THAT(f.host.pictures.measured, IsEmpty());  // GIFs never reach the loader
}

// Heads read ahead stand in for the run's own reads: the same pages, and the
// marker names each picture before its bytes are parsed.
TEST(PictureSelection, PicturesReadAheadGiveTheSamePagesAndMarkers) {
  struct Outcome {
    std::string normal, reduced, list;
    std::vector<std::string> markerAtLoad;
    bool operator==(const Outcome&) const = default;
  };
  std::vector<Outcome> outcomes;
  for (const bool ahead : {false, true}) {
    FakeProgram f;
    f.files.readAhead = ahead;
    f.form.chkAllFileList.SetValue(1);
    f.form.chkTable1.SetValue(1);
    f.form.chkFileName.SetValue(1);
    f.files.AddFile("C:\\pics\\wide.gif", GifHeader(640, 480));
    f.files.AddFile("C:\\pics\\short.gif", "GIF89a\x10");
    f.files.AddFile("C:\\pics\\unreadable.gif", GifHeader(50, 50));
    f.files.FailAt(FakeOperation::kRead, "C:\\pics\\unreadable.gif");
    f.files.AddFile("C:\\pics\\sub\\a.jpg", "jpeg bytes");
    f.files.AddFile("C:\\pics\\sub\\b.txt");
    f.files.AddFile("C:\\pics\\sub\\c.JPEG", "jpeg bytes");
    f.host.pictures.sizes = {{"C:\\pics\\sub\\a.jpg", {150, 120}},
                             {"C:\\pics\\sub\\c.JPEG", {90, 300}}};
    Outcome outcome;
    f.host.pictures.onMeasure = [&](const std::string&) {
      outcome.markerAtLoad.push_back(
          f.host.settings.Read("Zorbelle", kCrashMarkerSection, kCrashMarkerKey, ""));
    };
    f.Start();
    ASSERT_EQ(f.program.session.lastOutcome, RunOutcome::kCompleted);
    outcome.normal = f.files.Bytes("C:\\pics\\_gaz0000.htm");
    outcome.reduced = f.files.Bytes("C:\\pics\\_gaz0000.html");
    outcome.list = f.files.Bytes("C:\\pics\\allfile.txt");
    outcomes.push_back(outcome);
    // Every picture but the unreadable one came with its head.
    EXPECT_EQ(f.files.headsGiven, ahead ? 4 : 0);
    EXPECT_EQ(f.host.pictures.measuredFromHeads, ahead ? 2 : 0);
  }
  EXPECT_THAT(outcomes[0].markerAtLoad,
              ElementsAre("C:\\pics\\sub\\a.jpg", "C:\\pics\\sub\\c.JPEG"));
  // Sized by the GIF header, by the loader twice, and unmeasured: the whole box.
  for (const char* fitted : {" width= 100 height= 75 ", " width= 100 height= 80 ",
                             " width= 30 height= 100 ", " width= 100 height= 100 "}) {
    EXPECT_THAT(outcomes[0].reduced, HasSubstr(fitted));
  }
  EXPECT_TRUE(outcomes[0] == outcomes[1]);
}

TEST(OddFiles, PicturesArePlacedBeforeTheyAreOfferedForDeletion) {
  FakeProgram f;
  f.form.mnuOptionItem[kOptionDeleteOddFiles].SetChecked(true);
  f.form.chkAllFileList.SetValue(1);
  f.files.AddFile("C:\\pics\\a;b.jpg");
  f.files.AddFile("C:\\pics\\x;y\\plain.txt");
  f.files.AddFile("C:\\pics\\keep.txt");
  f.host.dialogs.answers = {Answer::kYes, Answer::kNo};
  f.Start();
  EXPECT_THAT(f.files.Deleted(), ElementsAre("C:\\pics\\a;b.jpg"));
  EXPECT_EQ(f.run.ImageCount, 1);
  EXPECT_THAT(f.files.Lines("C:\\pics\\allfile.txt"),
              ElementsAre("a;b.jpg", "keep.txt", "allfile.txt", "x;y\\plain.txt"));
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kCompleted);
}

TEST(OddFiles, NeitherTheRunsOwnFilesNorFilesBehindLinksOrSpecialFilesAreOffered) {
  FakeProgram f("C:\\x;y");
  f.form.mnuOptionItem[kOptionDeleteOddFiles].SetChecked(true);
  f.form.chkAllFileList.SetValue(1);
  f.form.hscGazoSuu.SetValue(1);
  for (const char* name : {"_gaz0009.htm", "a.jpg", "b.jpg", "c.jpg", "allfile.txt", "_gazlist.htm",
                           "_gaz0000.htm", "_GAZ0003.HTML", "_gaz01.htm", "notes.txt"}) {
    f.files.AddFile(std::string("C:\\x;y\\") + name);
  }
  f.files.AddFile("C:\\elsewhere\\v.txt");
  f.files.AddFolderLink("C:\\x;y\\link;z", "C:\\elsewhere");
  f.files.AddSpecial("C:\\x;y\\p;ipe");
  f.host.dialogs.answers.assign(20, Answer::kYes);
  f.Start();
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kCompleted);
  EXPECT_THAT(f.files.Deleted(), ElementsAre("C:\\x;y\\a.jpg", "C:\\x;y\\b.jpg", "C:\\x;y\\c.jpg",
                                             "C:\\x;y\\_gaz01.htm", "C:\\x;y\\notes.txt"));
  EXPECT_TRUE(f.files.Exists("C:\\elsewhere\\v.txt"));
}

TEST(StatusLabels, FastModeShowsEveryHundredthFileOnly) {
  FakeProgram f;
  for (int i = 0; i < 250; ++i) f.files.AddFile("C:\\pics\\f" + std::to_string(i) + ".txt");
  std::vector<std::string> counts;
  f.form.LblFileCount.Observe([&] { counts.push_back(f.form.LblFileCount.Caption()); });
  f.host.system.onYield = [&] {
    if (f.run.FileCount == 220) f.form.chkSpeed.SetValue(0);
  };
  f.Start();
  // Set and painted at 100 and 200 in fast mode, at every file from 221 on;
  // the run's end paints the final count once more.
  std::vector<std::string> want{"100", "100", "200", "200"};
  for (int i = 221; i <= 250; ++i) want.insert(want.end(), 2, std::to_string(i));
  want.push_back("250");
  EXPECT_EQ(counts, want);
}

TEST(DisplayNames, AreRelativeToTheOutputFolderWithSameFolderAndRelativeLinks) {
  FakeProgram f;
  f.form.chkAllFileList.SetValue(1);
  f.files.AddFile("C:\\pics\\sub\\a.txt");
  f.Start();
  EXPECT_THAT(f.files.Lines("C:\\pics\\allfile.txt"), ElementsAre("allfile.txt", "sub\\a.txt"));
  f.form.chkLelative.SetValue(0);
  f.Start();
  EXPECT_THAT(
      f.files.Lines("C:\\pics\\allfile.txt"),
      ElementsAre("C:\\pics\\allfile.txt", "C:\\pics\\_gazlist.htm", "C:\\pics\\sub\\a.txt"));
}

// Whole runs through the per-file stage and the page writer as they are.
class GalleryRun : public testing::Test {
 protected:
  void AddGifs(int count) {
    for (int i = 0; i < count; ++i) {
      f.files.AddFile("C:\\pics\\p" + std::to_string(i) + ".gif", GifHeader(8, 8));
    }
  }

  FakeProgram f;
};

TEST_F(GalleryRun, APairClosesRightAfterThePictureThatFillsIt) {
  f.form.hscGazoSuu.SetValue(2);
  AddGifs(5);
  f.Start();
  for (const char* full : {"C:\\pics\\_gaz0000.htm", "C:\\pics\\_gaz0001.html"}) {
    EXPECT_EQ(f.PictureLines(full).size(), 2u) << full;
    EXPECT_EQ(f.files.Lines(full).back(), "</body></html>");
  }
  EXPECT_THAT(f.PictureLines("C:\\pics\\_gaz0002.htm"), ElementsAre(HasSubstr("p4.gif")));
  EXPECT_FALSE(f.files.Exists("C:\\pics\\_gaz0003.htm"));

  f.files.DeleteFile("C:\\pics\\p4.gif");
  f.Start();
  EXPECT_THAT(f.PictureLines("C:\\pics\\_gaz0001.htm"),
              ElementsAre(HasSubstr("p2.gif"), HasSubstr("p3.gif")));
  EXPECT_THAT(f.PictureLines("C:\\pics\\_gaz0002.htm"), IsEmpty());
}

TEST_F(GalleryRun, EachOpenInChoiceGivesItsOwnLinkTarget) {
  f.files.AddFile("C:\\pics\\a.gif", GifHeader(8, 8));
  const std::string targets[] = {"\" >", "\"  TARGET=\"aaa\" >", "\"  TARGET=_blank >"};
  for (int choice = 0; choice < 3; ++choice) {
    f.form.optWin2[choice].SetValue(true);
    f.Start();
    for (const char* page : {"C:\\pics\\_gaz0000.htm", "C:\\pics\\_gaz0000.html"}) {
      EXPECT_THAT(f.PictureLines(page), ElementsAre(HasSubstr("a.gif" + targets[choice] + "<img")))
          << choice;
    }
  }
}

}  // namespace
}  // namespace zb
