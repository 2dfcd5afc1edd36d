#include "run/run_driver.h"

#include <cstdio>
#include <exception>
#include <memory>

#include "gallery/list_page.h"
#include "run/messages.h"
#include "run/output_location.h"
#include "run/run_lockout.h"
#include "run/text_util.h"
#include "scan/folder_walker.h"
#include "scan/process_file.h"
#include "settings/crash_marker.h"
#include "window/focus.h"
#include "window/program.h"

namespace zb {
namespace {

bool NoOptionChosen(const MainForm& f) {
  return f.chkAllFileList.Value() != 1 && f.chkGazoHtml.Value() != 1 &&
         !f.mnuOptionItem[0].Checked();
}

void TakeOptionsSnapshot(Program& program) {
  const MainForm& f = program.form;
  RunContext& run = program.run;
  run.DeleteOddFiles = f.mnuOptionItem[0].Checked() ? 1 : 0;
  run.MakeAllFileList = static_cast<std::int16_t>(f.chkAllFileList.Value());
  run.RelativeLinks = static_cast<std::int16_t>(f.chkLelative.Value());
  run.SameDirOutput = static_cast<std::int16_t>(f.chkSameDir.Value());
  run.HtmlLineBreak = static_cast<std::int16_t>(f.chkHtmlBr.Value());
  run.ThumbnailSize = static_cast<std::int16_t>(f.hscThumbnail.Value());
  run.TableLayout = static_cast<std::int16_t>(f.chkTable1.Value());
  run.NameFontSize = f.cmbFontSize.Text();
  long perRow = 0;
  run.ImagesPerRow = ParseInt(f.cmbGazoSuu.Text(), perRow) && perRow > 0 && perRow <= 30
                         ? static_cast<std::int16_t>(perRow)
                         : 3;
  run.ShowFileName = static_cast<std::int16_t>(f.chkFileName.Value());
  run.MoreFormats = f.mnuOptionItem[3].Checked() ? 1 : 0;
  run.TargetAttr = f.optWin2[2].Value()   ? " TARGET=_blank "
                   : f.optWin2[1].Value() ? " TARGET=\"aaa\" "
                                          : "";
}

void CloseAllFileList(Program& program) {
  if (!program.allFileList) return;
  auto file = std::move(program.allFileList);
  file->Close();
}

void OpenResults(Program& program) {
  const MainForm& f = program.form;
  Shell& shell = program.platform.shell;
  if (f.chkGazoHtml.Value() == 1 && program.run.ImageCount > 0) {
    shell.Open("", program.run.ListPath, "c:\\");
  }
  if (f.chkAllFileList.Value() == 1) {
    shell.Open("", program.run.OutputFolder + kAllFileName, "c:\\");
  }
}

// Another run writes into the output folder: nothing is written or locked.
void RefuseBusyOutputFolder(Program& program) {
  program.platform.dialogs.Show(OutputFolderBusyMessage(program.run.OutputFolder));
  PointGuideArrowAt(program, 0);
  program.lastOutcome = RunOutcome::kFailed;
}

// A _gazthumb that cannot be taken leaves the run without thumbnails.
void BeginThumbnails(Program& program) {
  RunContext& run = program.run;
  run.MakeThumbnails = program.form.chkGazoHtml.Value() == 1 &&
                               program.form.mnuOptionItem[2].Checked() &&
                               program.platform.thumbnails.Begin(run.OutputFolder)
                           ? 1
                           : 0;
}

// Our thumbnails that the run did not name go only after a whole walk: a
// stopped one has not named those of the pictures it did not reach.
void EndThumbnails(Program& program, bool walkedWhole) {
  if (program.run.MakeThumbnails != 1) return;
  program.placements.Clear();
  program.platform.thumbnails.End(walkedWhole);
  program.run.MakeThumbnails = 0;
}

void FailurePath(Program& program) {
  program.platform.dialogs.Show(FileErrorMessage());
  if (program.allFileList) {
    try {
      CloseAllFileList(program);
    } catch (const std::exception&) {
      // Already reported as a file error.
    }
  }
  program.gallery.CloseAsTheyStand();
  EndThumbnails(program, false);
  // The run did not crash: the picture last measured is no suspect.
  ClearCrashMarker(program.platform);
  UnlockWindowAfterRun(program);
  PointGuideArrowAt(program, 0);
  program.platform.system.TrimWorkingSet();
  program.lastOutcome = RunOutcome::kFailed;
}

// Steps from the lock-out to the unlock; throws on any failure.
void RunCatalogue(Program& program) {
  MainForm& f = program.form;
  RunContext& run = program.run;
  LockWindowForRun(program);
  if (f.chkAllFileList.Value() == 1) {
    program.allFileList = program.platform.files.CreateTextFile(run.OutputFolder + kAllFileName);
  }
  TakeOptionsSnapshot(program);
  BeginThumbnails(program);
  run.CurrentDepth = static_cast<std::int16_t>(CountChar(run.SearchRoot, '\\') - 1);
  run.RunState = 0;
  program.enteredFolders.clear();
  if (WalkFolder(program, run.SearchRoot) != 0 || WritePlacedPictures(program, true) != 0) {
    throw FileError("a page could not be written");
  }
  EndThumbnails(program, run.RunState == 0);
  f.LblFileCount.SetCaption(std::to_string(run.FileCount));
  f.LblFileCount.Refresh();
  CloseAllFileList(program);
  WriteListPage(run, f.chkGazoHtml.Value() == 1, f.chkSubDir.Value() == 1, program.gallery,
                program.platform.files, program.platform.encoding);
  ReportCompletion(program);
  UnlockWindowAfterRun(program);
}

// Marks the run active for as long as the Start operation lasts.
class ActiveRun {
 public:
  explicit ActiveRun(RunContext& run) : run_(run) { run_.Active = true; }
  ~ActiveRun() { run_.Active = false; }
  ActiveRun(const ActiveRun&) = delete;
  ActiveRun& operator=(const ActiveRun&) = delete;

 private:
  RunContext& run_;
};

}  // namespace

std::string FormatElapsed(std::chrono::system_clock::duration span) {
  using namespace std::chrono;
  const long long total = duration_cast<seconds>(span).count() % (24 * 60 * 60);
  const long long secs = total < 0 ? 0 : total;
  char text[16];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", secs / 3600, secs / 60 % 60, secs % 60);
  return text;
}

void cmdStart_Click(Program& program) {
  RunContext& run = program.run;
  MainForm& f = program.form;
  // One run context serves one run at a time, even while a stopped walk unwinds.
  if (run.Active) return;
  ActiveRun active(run);
  System& system = program.platform.system;
  system.TrimWorkingSet();
  run.StartTime = system.Now();
  // Held until the failure path has closed what the run left open.
  std::unique_ptr<FolderLock> outputLock;
  try {
    run.SearchRoot = f.Dir1.Path();
    run.FileCount = 0;
    run.ImageCount = 0;
    PrepareDefaultOutputFolder(program);
    PointGuideArrowAt(program, -1);
    run.FastMode = 1;
    f.chkSpeed.SetValue(1);
    if (NoOptionChosen(f)) {
      program.platform.dialogs.Show(NoOptionsMessage());
      program.lastOutcome = RunOutcome::kNoOptions;
      return;
    }
    DeriveOutputNames(program);
    outputLock = program.platform.files.LockFolder(run.OutputFolder);
    if (!outputLock) {
      RefuseBusyOutputFolder(program);
      return;
    }
    RunCatalogue(program);
  } catch (const NotAPlainFileError& e) {
    program.platform.dialogs.Show(NotAPlainFileMessage(e.path()));
    FailurePath(program);
    return;
  } catch (const std::exception&) {
    FailurePath(program);
    return;
  }
  run.Elapsed = system.Now() - run.StartTime;
  f.LblComment.SetCaption(f.LblComment.Caption() + "  " + FormatElapsed(run.Elapsed));
  SetFocus(program, f.txtOLEKensaku);
  if (run.RunState == 0) OpenResults(program);
  ClearCrashMarker(program.platform);
  system.TrimWorkingSet();
  program.lastOutcome = run.RunState == 0 ? RunOutcome::kCompleted : RunOutcome::kStopped;
}

void cmdStop_Click(Program& program) {
  program.form.cmdStop.SetEnabled(false);
  program.run.RunState = 1;
  program.platform.system.TrimWorkingSet();
}

void ConfirmStop(Program& program) {
  RunContext& run = program.run;
  if (!run.Active || run.RunState == 2) return;
  run.RunState = 2;
  program.form.LblComment.SetCaption(kStoppedText);
  program.form.cmdStop.SetEnabled(false);
  program.form.cmdStart.SetEnabled(true);
}

void ReportCompletion(Program& program) {
  const RunContext& run = program.run;
  Label& comment = program.form.LblComment;
  if (run.RunState != 0) return;
  if (program.form.chkGazoHtml.Value() == 1 && run.ImageCount > 0) {
    comment.SetCaption("処理が正常に終了して、" + std::to_string(run.ImageCount) +
                       "個の画像ファイルをリストに登録しました。【閲覧】ボタンを押してブラウザで"
                       "ご覧ください");
  } else if (program.form.chkGazoHtml.Value() == 1) {
    comment.SetCaption("処理が正常に終了しましたが、画像ファイルはありませんでした。");
  } else {
    comment.SetCaption("処理は正常に終了しました。");
  }
}

}  // namespace zb
