// Whole runs of the window's model on the real disk against a hostile tree:
// output names held by links and pipes, a second run into the same folder,
// odd files behind links or among the run's own pages, paths past the
// system's limit.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "context/run_messages.h"
#include "platform/posix/testing/deep_folder.h"
#include "system_tests/posix/disk_run_for_test.h"

namespace zb {
namespace {

namespace fs = std::filesystem;
using testing::ElementsAre;
using testing::IsEmpty;
using testing::UnorderedElementsAre;

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// A link at an output name is refused by FailedRunOnDisk; a pipe would hang
// the window in open() for ever.
TEST(RunSafetyOnDisk, AnOutputNameHeldByAPipeEndsTheRunAndNamesIt) {
  DiskRun r;
  r.folder.MakeFolder("_Zorbelle");
  ASSERT_EQ(mkfifo(r.folder.Host("_Zorbelle/_gaz0000.html").c_str(), 0666), 0);
  symlink(r.folder.Host("made-elsewhere").c_str(), r.folder.Host("_Zorbelle/_gazlist.htm").c_str());
  r.folder.Put("pics/a.gif", Gif(40));
  r.Start();
  EXPECT_EQ(r.program.session.lastOutcome, RunOutcome::kFailed);
  EXPECT_THAT(r.Reports(), ElementsAre(NotAPlainFileMessage("C:\\_Zorbelle\\_gaz0000.html").text,
                                       FailedRunMessage().text));
  EXPECT_TRUE(fs::is_fifo(r.folder.Host("_Zorbelle/_gaz0000.html")));
  EXPECT_FALSE(fs::exists(r.folder.Host("made-elsewhere")));
}

TEST(RunSafetyOnDisk, ASecondRunIntoAFolderInUseIsRefusedAndWritesNothing) {
  DiskRun r;
  r.folder.Put("pics/a.gif", Gif(40));
  r.folder.MakeFolder("_Zorbelle");
  // Another program's run, as a second window would hold it.
  PosixPlatform other{r.folder.Drives(), r.folder.Host("config"), ""};
  FakeDialogs otherDialogs;
  auto held = other.With(otherDialogs).files.LockFolder("C:\\_Zorbelle\\");
  ASSERT_NE(held, nullptr);
  r.Start();
  EXPECT_EQ(r.program.session.lastOutcome, RunOutcome::kFailed);
  EXPECT_THAT(r.Reports(), ElementsAre(OutputFolderBusyMessage("C:\\_Zorbelle\\").text));
  EXPECT_THAT(Names(r.folder.Host("_Zorbelle")), IsEmpty());
  EXPECT_TRUE(r.program.form.cmdStart.Enabled());
  EXPECT_TRUE(r.program.form.lblAnnai[0].Visible());

  held.reset();
  bool lockedMeanwhile = false;
  r.OnYield([&] {
    lockedMeanwhile = other.With(otherDialogs).files.LockFolder("C:\\_Zorbelle\\") == nullptr;
  });
  r.Start();
  EXPECT_EQ(r.program.session.lastOutcome, RunOutcome::kCompleted);
  EXPECT_TRUE(lockedMeanwhile);
  EXPECT_NE(other.With(otherDialogs).files.LockFolder("C:\\_Zorbelle\\"), nullptr);
}

TEST(RunSafetyOnDisk, OddFilesAreOfferedOnlyWhenPlainBelowTheTreeAndNotTheRunsOwn) {
  DiskRun r;
  r.folder.Put("outside/victim.txt", "keep");
  r.folder.Put("pi;cs/a.gif", Gif(40));
  r.folder.Put("pi;cs/b.gif", Gif(40));
  r.folder.Put("pi;cs/note.txt");
  symlink(r.folder.Host("outside").c_str(), r.folder.Host("pi;cs/link;x").c_str());
  MainForm& f = r.program.form;
  f.chkSameDir.SetValue(1);
  f.hscGazoSuu.SetValue(1);  // a page pair per picture
  f.mnuOptionItem[kOptionDeleteOddFiles].SetChecked(false);
  r.Start("C:\\pi;cs");  // an earlier run leaves its pages beside the pictures
  ASSERT_EQ(r.program.session.lastOutcome, RunOutcome::kCompleted);
  f.mnuOptionItem[kOptionDeleteOddFiles].SetChecked(true);
  r.dialogs.answers.assign(20, Answer::kYes);
  r.Start("C:\\pi;cs");
  EXPECT_EQ(r.program.session.lastOutcome, RunOutcome::kCompleted);
  std::vector<std::string> asked;
  for (const MessageBox& box : r.dialogs.shown) asked.push_back(box.text);
  const auto question = [](const std::string& name) {
    return DeleteQuestion("C:\\pi;cs\\" + name).text;
  };
  // Whatever order the disk lists them in, only the user's own plain files.
  EXPECT_THAT(asked,
              UnorderedElementsAre(question("a.gif"), question("b.gif"), question("note.txt")));
  EXPECT_EQ(r.folder.Contents("outside/victim.txt"), "keep");
  EXPECT_THAT(
      Names(r.folder.Host("pi;cs")),
      UnorderedElementsAre("link;x", "allfile.txt", "_gazlist.htm", "_gaz0000.htm", "_gaz0000.html",
                           "_gaz0001.htm", "_gaz0001.html", "_gaz0002.htm", "_gaz0002.html"));
}

// The size part of a reduced page's picture line: " width= 100 height= 56".
std::string SizeOf(const std::vector<std::string>& page, const std::string& picture) {
  for (const std::string& line : page) {
    const std::size_t at = line.find(picture + "\" width=");
    if (at != std::string::npos) return line.substr(at + picture.size() + 1);
  }
  return "missing";
}

TEST(RunSafetyOnDisk, FilesPastThePathLimitAreListedAndMeasured) {
  DiskRun r;
  const int depth = PATH_MAX / 200 + 2;
  const DeepFolder deep(r.folder.Host("pics"), depth);
  std::ifstream sample(ZORBELLE_SOURCE_DIR "/samples/pictures/panorama.JPG", std::ios::binary);
  const std::string jpeg{std::istreambuf_iterator<char>(sample), {}};
  deep.Put("deep.gif", Gif(40));
  deep.Put("deep.jpg", jpeg);
  r.folder.Put("pics/a.jpg", jpeg);
  r.Start();
  EXPECT_EQ(r.program.session.lastOutcome, RunOutcome::kCompleted);
  const std::string deepFolder = deep.DrivePath("C:\\pics");
  EXPECT_GT(deepFolder.size(), std::size_t{PATH_MAX});
  EXPECT_THAT(r.Output("allfile.txt"),
              UnorderedElementsAre("C:\\pics\\a.jpg", deepFolder + "\\deep.gif",
                                   deepFolder + "\\deep.jpg"));
  EXPECT_EQ(r.program.session.run.ImageCount, 3);
  const std::vector<std::string> reduced = r.Output("_gaz0000.html");
  EXPECT_EQ(SizeOf(reduced, "deep.gif"), " width= 40 height= 40 border=0></a>");
  EXPECT_EQ(SizeOf(reduced, "deep.jpg"), SizeOf(reduced, "a.jpg"));
  EXPECT_NE(SizeOf(reduced, "a.jpg"), SizeOf(reduced, "deep.gif"));
}

}  // namespace
}  // namespace zb
