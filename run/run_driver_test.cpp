#include "run/run_driver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "context/run_messages.h"
#include "settings/crash_marker.h"
#include "testing/fake_program.h"

namespace zb {
namespace {

using testing::ElementsAre;
using testing::EndsWith;
using testing::IsEmpty;
using testing::StartsWith;

TEST(ElapsedTime, IsHoursMinutesSecondsModuloOneDay) {
  using namespace std::chrono;
  EXPECT_EQ(FormatElapsed(seconds(0)), "00:00:00");
  EXPECT_EQ(FormatElapsed(seconds(3723)), "01:02:03");
  EXPECT_EQ(FormatElapsed(milliseconds(59999)), "00:00:59");
  EXPECT_EQ(FormatElapsed(hours(25) + minutes(1)), "01:01:00");
}

std::string Marker(FakeProgram& f) {
  return f.host.settings.Read("Zorbelle", kCrashMarkerSection, kCrashMarkerKey, "absent");
}

TEST(RunDriver, CompletedRunReportsCountsElapsedTimeAndOpensTheResults) {
  FakeProgram f;
  f.files.AddFile("C:\\pics\\a.jpg");
  f.files.AddFile("C:\\pics\\b.txt");
  f.form.chkAllFileList.SetValue(1);
  f.host.system.onYield = [&] { f.host.system.now += std::chrono::seconds(61); };
  f.Start();
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kCompleted);
  EXPECT_EQ(f.form.LblComment.Caption(),
            "処理が正常に終了して、1個の画像ファイルをリストに登録しました。【閲覧】ボタンを押"
            "してブラウザでご覧ください  00:04:04");
  EXPECT_EQ(f.form.LblFileCount.Caption(), "3");  // allfile.txt is seen too
  EXPECT_THAT(f.host.shell.opened,
              ElementsAre(FakeShell::Opened{"", "C:\\pics\\_gazlist.htm", "c:\\"},
                          FakeShell::Opened{"", "C:\\pics\\allfile.txt", "c:\\"}));
  EXPECT_EQ(Marker(f), "");
  EXPECT_TRUE(f.form.cmdView.Enabled());  // the rest of the window: RunFaultInjection
}

TEST(RunDriver, CompletionTextSaysWhatWasFound) {
  FakeProgram noPictures;
  noPictures.files.AddFile("C:\\pics\\b.txt");
  noPictures.Start();
  EXPECT_THAT(noPictures.form.LblComment.Caption(),
              StartsWith("処理が正常に終了しましたが、画像ファイルはありませんでした。  "));
  EXPECT_THAT(noPictures.host.shell.opened, IsEmpty());  // nothing to look at
  EXPECT_TRUE(noPictures.files.Exists("C:\\pics\\_gazlist.htm"));
  EXPECT_FALSE(noPictures.form.cmdView.Enabled());
  EXPECT_FALSE(noPictures.form.lblAnnai[0].Visible());
  EXPECT_FALSE(noPictures.form.lblAnnai[1].Visible());

  FakeProgram listOnly;
  listOnly.form.chkGazoHtml.SetValue(0);
  listOnly.form.chkAllFileList.SetValue(1);
  listOnly.Start();
  EXPECT_THAT(listOnly.form.LblComment.Caption(), StartsWith("処理は正常に終了しました。  "));
  EXPECT_TRUE(listOnly.form.cmdView.Enabled());
  EXPECT_TRUE(listOnly.form.lblAnnai[1].Visible());
  EXPECT_FALSE(listOnly.files.Exists("C:\\pics\\_gazlist.htm"));
}

TEST(RunDriver, AnOutputFolderInUseOrThatCannotBeLockedIsRefusedWithNothingWritten) {
  for (const bool inUse : {true, false}) {
    SCOPED_TRACE(inUse ? "in use" : "unlockable");
    FakeProgram f;
    f.files.AddFile("C:\\pics\\a.jpg");
    f.form.chkAllFileList.SetValue(1);
    std::unique_ptr<FolderLock> otherRun;
    if (inUse) {
      otherRun = f.files.LockFolder("C:\\PICS\\");
    } else {
      f.files.MakeUnlockable("C:\\pics\\");
    }
    f.Start();
    EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kFailed);
    EXPECT_THAT(f.Messages(),
                ElementsAre(inUse ? OutputFolderBusyMessage("C:\\pics\\").text
                                  : OutputFolderUnlockableMessage("C:\\pics\\").text));
    for (const char* name : {"allfile.txt", "_gazlist.htm", "_gaz0000.htm"}) {
      EXPECT_FALSE(f.files.Exists(std::string("C:\\pics\\") + name)) << name;
    }
    EXPECT_TRUE(f.form.cmdStart.Enabled());
    EXPECT_TRUE(f.form.lblAnnai[0].Visible());
    EXPECT_THAT(f.host.shell.opened, IsEmpty());
    if (!inUse) continue;

    otherRun.reset();
    f.host.dialogs.shown.clear();
    f.Start();
    EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kCompleted);
    EXPECT_NE(f.files.LockFolder("C:\\pics\\"), nullptr);  // let go at the end
  }
}

TEST(RunDriver, APageNameHeldByAPipeOrLinkIsNamedInsteadOfTheWriteErrorQuestions) {
  FakeProgram f;
  f.files.AddFile("C:\\pics\\a.jpg");
  f.files.AddSpecial("C:\\pics\\_gaz0000.html");
  f.Start();
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kFailed);
  EXPECT_THAT(f.Messages(), ElementsAre(NotAPlainFileMessage("C:\\pics\\_gaz0000.html").text,
                                        FailedRunMessage().text));
  EXPECT_EQ(f.files.OpenFileCount(), 0);
}

TEST(RunDriver, NoOptionRefusesToRunButTheDefaultFolderIsAlreadySettled) {
  FakeProgram f;
  f.form.chkSameDir.SetValue(0);
  f.form.txtOLESakusei.SetText("C:\\web\\index.htm");
  f.form.chkGazoHtml.SetValue(0);
  f.Start();
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kNoOptions);
  EXPECT_THAT(f.Messages(), ElementsAre(NoOptionsMessage().text));
  EXPECT_EQ(f.form.txtOLESakusei.Text(), "C:\\_Zorbelle\\_gazlist.htm");
  EXPECT_EQ(f.run.ListPath, "C:\\_Zorbelle\\_gazlist.htm");
  EXPECT_TRUE(f.files.Exists("C:\\_Zorbelle"));
  EXPECT_FALSE(f.form.lblAnnai[0].Visible());
  EXPECT_FALSE(f.form.lblAnnai[1].Visible());
  EXPECT_TRUE(f.form.cmdStart.Enabled());  // never locked
}

TEST(RunDriver, OddFileDeletionAloneIsEnoughToRun) {
  FakeProgram f;
  f.form.chkGazoHtml.SetValue(0);
  f.form.mnuOptionItem[kOptionDeleteOddFiles].SetChecked(true);
  f.files.AddFile("C:\\pics\\a;b.txt");
  f.host.dialogs.answers = {Answer::kYes};
  f.Start();
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kCompleted);
  EXPECT_THAT(f.files.Deleted(), ElementsAre("C:\\pics\\a;b.txt"));
}

TEST(RunDriver, StoppedRunWritesTheListPageButOpensNothing) {
  FakeProgram f;
  for (int i = 0; i < 5; ++i) f.files.AddFile("C:\\pics\\" + std::to_string(i) + ".jpg");
  f.host.system.onYield = [&] {
    if (f.host.system.yields == 3) f.form.cmdStop.Press();
  };
  f.host.dialogs.answers = {Answer::kYes};
  f.Start();
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kStopped);
  EXPECT_EQ(f.run.ImageCount, 1);
  EXPECT_THAT(f.form.LblComment.Caption(), StartsWith(kStoppedText));
  EXPECT_THAT(f.form.LblComment.Caption(), EndsWith("  00:00:00"));
  EXPECT_TRUE(f.files.Exists("C:\\pics\\_gazlist.htm"));
  EXPECT_THAT(f.host.shell.opened, IsEmpty());
  EXPECT_EQ(Marker(f), "");
  EXPECT_EQ(f.files.OpenFileCount(), 0);
}

TEST(RunDriver, StopAnsweredNoGoesOnAndStopCanBePressedAgain) {
  FakeProgram f;
  for (int i = 0; i < 3; ++i) f.files.AddFile("C:\\pics\\" + std::to_string(i) + ".txt");
  bool stopUsableAfterNo = false;
  f.host.system.onYield = [&] {
    if (f.host.system.yields == 2) f.form.cmdStop.Press();
    if (f.host.system.yields == 3) stopUsableAfterNo = f.form.cmdStop.Enabled();
  };
  f.host.dialogs.answers = {Answer::kNo};
  f.Start();
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kCompleted);
  EXPECT_EQ(f.run.FileCount, 3);
  EXPECT_TRUE(stopUsableAfterNo);
}

TEST(RunDriver, StopAfterTheLastFileLeavesTheRequestUnansweredAndOpensNothing) {
  FakeProgram f;
  f.files.AddFile("C:\\pics\\a.jpg");
  f.files.AddFolder("C:\\pics\\empty");
  f.host.system.onYield = [&] {
    // The empty folder's yield comes after the last file was handled.
    if (f.run.FileCount == 1 && f.form.cmdStop.Enabled()) f.form.cmdStop.Press();
  };
  f.Start();
  EXPECT_EQ(f.run.RunState, StopRequest::kAsked);
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kStopped);
  EXPECT_THAT(f.host.dialogs.shown, IsEmpty());
  EXPECT_THAT(f.host.shell.opened, IsEmpty());
  EXPECT_THAT(f.form.LblComment.Caption(), EndsWith("  00:00:00"));
  EXPECT_EQ(Marker(f), "");
}

TEST(RunDriver, ASecondStartDuringAnUnwindingRunIsRefused) {
  FakeProgram f;
  f.files.AddFile("C:\\pics\\a.txt");
  f.files.AddFile("C:\\pics\\sub\\b.txt");
  int nestedStarts = 0;
  f.host.system.onYield = [&] {
    if (f.host.system.yields == 2) f.form.cmdStop.Press();
    if (f.run.RunState == StopRequest::kConfirmed && nestedStarts++ == 0) {
      ASSERT_TRUE(f.form.cmdStart.Enabled());  // enabled by the confirmed stop
      f.form.cmdStart.Press();
    }
  };
  f.host.dialogs.answers = {Answer::kYes};
  f.Start();
  EXPECT_EQ(nestedStarts, 1);
  EXPECT_EQ(f.host.dialogs.shown.size(), 1u);  // only the stop question
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kStopped);
  f.host.system.onYield = nullptr;
  f.Start();  // once the run is over, Start works again
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kCompleted);
}

// Messages, window and files after each failing write: RunFaultInjection.
TEST(RunDriver, AFileErrorIsNoCrashAndLeavesNoPictureSuspect) {
  FakeProgram f;
  f.files.AddFile("C:\\pics\\a.jpg");
  f.files.FailAt(FakeOperation::kCreate, "C:\\pics\\_gaz0000.htm");
  f.host.settings.values[{"Zorbelle", kCrashMarkerSection, kCrashMarkerKey}] = "C:\\old.jpg";
  f.Start();
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kFailed);
  EXPECT_EQ(Marker(f), "");
  EXPECT_FALSE(f.run.Active);
}

TEST(RunDriver, EmptyOutputPathIsAFileErrorNotAStrayFile) {
  FakeProgram f;
  f.files.AddFile("C:\\pics\\a.jpg");
  f.form.txtOLESakusei.SetText("");
  f.Start();
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kFailed);
  EXPECT_EQ(f.files.OpenFileCount(), 0);
}

TEST(RunDriver, EveryRunStartsInFastModeAndTrimsMemory) {
  FakeProgram f;
  f.form.chkSpeed.SetValue(0);
  EXPECT_EQ(f.run.FastMode, 0);
  const int trims = f.host.system.trims;
  f.Start();
  EXPECT_EQ(f.form.chkSpeed.Value(), 1);
  EXPECT_EQ(f.run.FastMode, 1);
  EXPECT_EQ(f.host.system.trims - trims, 2);
}

}  // namespace
}  // namespace zb
