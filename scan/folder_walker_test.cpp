#include "scan/folder_walker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "context/run_messages.h"
#include "testing/fake_program.h"

namespace zb {
namespace {

using testing::ElementsAre;

// Walk order is read back from allfile.txt, which lists every file handed on.
class FolderWalkerTest : public testing::Test {
 protected:
  FolderWalkerTest() {
    f.form.chkAllFileList.SetValue(1);
    f.form.chkLelative.SetValue(0);
  }
  std::vector<std::string> Walked() const { return f.files.Lines("C:\\pics\\allfile.txt"); }

  FakeProgram f;
};

TEST_F(FolderWalkerTest, FilesOfAFolderComeBeforeItsSubFoldersWhichCanBeLeftOut) {
  f.files.AddFile("C:\\pics\\a.jpg");
  f.files.AddFolder("C:\\pics\\s");
  f.files.AddFile("C:\\pics\\s\\c.gif");
  f.files.AddFolder("C:\\pics\\s\\deeper");
  f.files.AddFile("C:\\pics\\s\\deeper\\d.txt");
  f.files.AddFile("C:\\pics\\s\\e.txt");
  f.files.AddFile("C:\\pics\\b.txt");
  f.files.AddFolder("C:\\pics\\t");
  f.files.AddFile("C:\\pics\\t\\f.txt");
  f.Start();
  EXPECT_THAT(Walked(), ElementsAre("C:\\pics\\a.jpg", "C:\\pics\\b.txt", "C:\\pics\\allfile.txt",
                                    "C:\\pics\\s\\c.gif", "C:\\pics\\s\\e.txt",
                                    "C:\\pics\\s\\deeper\\d.txt", "C:\\pics\\t\\f.txt"));
  EXPECT_EQ(f.run.FileCount, 7);

  f.form.chkSubDir.SetValue(0);
  f.Start();  // the first run's pages are found too
  EXPECT_THAT(Walked(), ElementsAre("C:\\pics\\a.jpg", "C:\\pics\\b.txt", "C:\\pics\\allfile.txt",
                                    "C:\\pics\\_gaz0000.htm", "C:\\pics\\_gaz0000.html",
                                    "C:\\pics\\_gazlist.htm"));
}

TEST_F(FolderWalkerTest, SkipsPagefileAndEntriesWhoseAttributesCannotBeRead) {
  f.files.AddFile("C:\\pics\\a.txt");
  f.files.AddFile("C:\\pics\\PageFile.SYS");
  f.files.AddUnreadable("C:\\pics\\dangling.jpg");
  f.files.AddFile("C:\\pics\\hidden.txt", "", kAttrHidden);
  f.files.AddFile("C:\\pics\\z.txt");
  f.Start();
  EXPECT_THAT(Walked(), ElementsAre("C:\\pics\\a.txt", "C:\\pics\\hidden.txt", "C:\\pics\\z.txt",
                                    "C:\\pics\\allfile.txt"));
}

TEST_F(FolderWalkerTest, AFolderReachedTwiceIsWalkedOnce) {
  f.files.AddFile("C:\\pics\\s\\a.txt");
  f.files.AddFolderLink("C:\\pics\\s\\up", "C:\\pics");
  f.files.AddFolderLink("C:\\pics\\again", "C:\\pics\\s");
  f.Start();
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kCompleted);
  EXPECT_THAT(Walked(), ElementsAre("C:\\pics\\allfile.txt", "C:\\pics\\s\\a.txt"));
}

TEST(FolderDepth, CountsLevelsFromTheDriveRootAndKeepsTheDeepest) {
  FakeProgram f("C:\\");
  f.files.AddFile("C:\\a\\b\\x.txt");
  f.files.AddFolder("C:\\shallow");
  f.Start();
  EXPECT_EQ(f.run.MaxDepth, 3);
  EXPECT_EQ(f.form.LblDirMax.Caption(), "0");  // shown only every 100th file in fast mode
  MoveFolderList(f.program, "C:\\shallow");
  f.form.chkSpeed.SetValue(0);
  f.Start();
  EXPECT_EQ(f.run.MaxDepth, 3);
  EXPECT_EQ(f.run.CurrentDepth, 1);  // back where C:\shallow\ started: 2 - 1
}

TEST(FolderDepth, SearchFolderWithoutFinalBackslashStartsOneLevelDown) {
  FakeProgram f("C:\\pics");
  f.Start();
  EXPECT_EQ(f.run.SearchRoot, "C:\\pics\\");
  EXPECT_EQ(f.run.MaxDepth, 2);
}

TEST(FolderStop, ConfirmedStopEntersNoFurtherFolder) {
  FakeProgram f;
  f.form.chkAllFileList.SetValue(1);
  f.files.AddFile("C:\\pics\\1.txt");
  f.files.AddFile("C:\\pics\\2.txt");
  f.files.AddFile("C:\\pics\\s\\3.txt");
  int yields = 0;
  f.host.system.onYield = [&] {
    // Yields: the folder, then one per file; Stop is pressed while file 1 is handled.
    if (++yields == 2) f.form.cmdStop.Press();
  };
  f.host.dialogs.answers = {Answer::kYes};
  f.Start();
  EXPECT_THAT(f.files.Lines("C:\\pics\\allfile.txt"), ElementsAre());
  EXPECT_EQ(f.run.RunState, StopRequest::kConfirmed);
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kStopped);
  ASSERT_FALSE(f.host.dialogs.shown.empty());
  EXPECT_EQ(f.host.dialogs.shown[0].text, StopQuestion().text);
}

// The plan read ahead must pass over exactly what the walk passes over, or
// reading ahead ends at the first folder where they part.
TEST(FolderWalkPlan, EntersWhatTheWalkEntersAndPassesOverOurThumbnails) {
  FakeProgram f;
  f.run.OutputFolder = "C:\\pics\\";
  f.form.chkGazoHtml.SetValue(1);
  const WalkPlan plan = WalkPlanFor(f.program.session, "C:\\pics");
  EXPECT_EQ(plan.root, "C:\\pics\\");
  const auto folder = [](std::string name) { return FolderEntry{std::move(name), kAttrDirectory}; };
  EXPECT_TRUE(plan.enters("C:\\pics\\", folder("sub"), false));
  EXPECT_FALSE(plan.enters("C:\\pics\\", folder("_GazThumb"), false));
  EXPECT_FALSE(plan.enters("C:\\pics\\sub\\", folder("_gazthumb"), false));
  EXPECT_FALSE(plan.enters("C:\\pics\\", folder(".."), false));
  EXPECT_FALSE(plan.enters("C:\\pics\\", FolderEntry{"a.jpg", 0u}, false));
  EXPECT_FALSE(plan.enters("C:\\pics\\", FolderEntry{"gone", std::nullopt}, false));
  EXPECT_EQ(plan.headBytesOf("a.GIF"), 10u);
  EXPECT_EQ(plan.headBytesOf("a.jpg"), plan.headBytes);
  EXPECT_EQ(plan.headBytesOf("a.txt"), 0u);
}

// Heads of formats the run does not take would be read for nothing.
TEST(FolderWalkPlan, WantsHeadsOfTheFormatsTakenAtStartOnly) {
  FakeProgram f;
  f.form.chkGazoHtml.SetValue(1);
  f.form.chkBmp.SetValue(0);
  f.run.MoreFormats = false;
  const WalkPlan narrow = WalkPlanFor(f.program.session, "C:\\pics");
  f.form.chkBmp.SetValue(1);
  f.run.MoreFormats = true;
  for (const char* name : {"a.bmp", "a.PNG", "a.webp", "a.avif"}) {
    EXPECT_EQ(narrow.headBytesOf(name), 0u) << name;
  }
  EXPECT_EQ(narrow.headBytesOf("a.jpg"), narrow.headBytes);
  const WalkPlan wide = WalkPlanFor(f.program.session, "C:\\pics");
  for (const char* name : {"a.bmp", "a.PNG", "a.webp", "a.avif", "a.jpeg"}) {
    EXPECT_EQ(wide.headBytesOf(name), wide.headBytes) << name;
  }
  f.form.chkGazoHtml.SetValue(0);
  EXPECT_EQ(WalkPlanFor(f.program.session, "C:\\pics").headBytesOf("a.jpg"), 0u);
}

}  // namespace
}  // namespace zb
