#include "run/run_driver.h"

#include <cstdio>
#include <exception>
#include <memory>

#include "context/run_messages.h"
#include "gallery/list_page.h"
#include "gallery/stale_pages.h"
#include "run/output_location.h"
#include "run/run_lockout.h"
#include "scan/folder_walker.h"
#include "scan/process_file.h"
#include "scan/run_session.h"
#include "settings/crash_marker.h"
#include "text/text_util.h"

namespace zb {
namespace {

bool NoOptionChosen(const MainForm& f) {
  return f.chkAllFileList.Value() != 1 && f.chkGazoHtml.Value() != 1 &&
         !f.mnuOptionItem[kOptionDeleteOddFiles].Checked();
}

void TakeOptionsSnapshot(RunSession& session) {
  const MainForm& f = session.form;
  RunContext& run = session.run;
  run.DeleteOddFiles = f.mnuOptionItem[kOptionDeleteOddFiles].Checked() ? 1 : 0;
  run.MakeAllFileList = static_cast<std::int16_t>(f.chkAllFileList.Value());
  run.RelativeLinks = static_cast<std::int16_t>(f.chkLelative.Value());
  run.SameDirOutput = static_cast<std::int16_t>(f.chkSameDir.Value());
  run.HtmlLineBreak = static_cast<std::int16_t>(f.chkHtmlBr.Value());
  run.ThumbnailSize = static_cast<std::int16_t>(f.hscThumbnail.Value());
  run.TableLayout = static_cast<std::int16_t>(f.chkTable1.Value());
  run.NameFontSize = f.cmbFontSize.Text();
  std::int32_t perRow = 0;
  run.ImagesPerRow = ParseInt(f.cmbGazoSuu.Text(), perRow) && perRow > 0 && perRow <= 30
                         ? static_cast<std::int16_t>(perRow)
                         : 3;
  run.ShowFileName = static_cast<std::int16_t>(f.chkFileName.Value());
  run.MoreFormats = f.mnuOptionItem[kOptionMoreFormats].Checked();
  run.TargetAttr = f.optWin2[2].Value()   ? " TARGET=_blank "
                   : f.optWin2[1].Value() ? " TARGET=\"aaa\" "
                                          : "";
}

void CloseAllFileList(RunSession& session) {
  if (!session.allFileList) return;
  auto file = std::move(session.allFileList);
  file->Close();
}

void OpenResults(RunSession& session) {
  const MainForm& f = session.form;
  Shell& shell = session.platform.shell;
  if (f.chkGazoHtml.Value() == 1 && session.run.ImageCount > 0) {
    shell.Open("", session.run.ListPath, "c:\\");
  }
  if (f.chkAllFileList.Value() == 1) {
    shell.Open("", session.run.OutputFolder + kAllFileName, "c:\\");
  }
}

// Another run writes into the output folder, or could without being kept
// out: nothing is written or locked.
void RefuseOutputFolder(RunSession& session, const MessageBox& why) {
  session.platform.dialogs.Show(why);
  PointGuideArrowAt(session.form, 0);
  session.lastOutcome = RunOutcome::kFailed;
}

// A _gazthumb that cannot be taken leaves the run without thumbnails.
void BeginThumbnails(RunSession& session) {
  RunContext& run = session.run;
  const bool wanted = session.form.chkGazoHtml.Value() == 1 &&
                      session.form.mnuOptionItem[kOptionThumbnails].Checked();
  run.MakeThumbnails = wanted && session.platform.thumbnails.Begin(run.OutputFolder);
  run.ThumbnailFolderRefused = wanted && !run.MakeThumbnails;
}

// Our thumbnails that the run did not name go only after a whole walk: a
// stopped one has not named those of the pictures it did not reach.
void EndThumbnails(RunSession& session, bool walkedWhole) {
  if (!session.run.MakeThumbnails) return;
  session.placements.Clear();
  session.platform.thumbnails.End(walkedWhole);
  session.run.MakeThumbnails = false;
}

void FailurePath(RunSession& session) {
  session.platform.dialogs.Show(FailedRunMessage());
  // Unfinished files are dropped, so the previous run's versions stay.
  session.allFileList.reset();
  session.gallery.Discard();
  EndThumbnails(session, false);
  // The run did not crash: the picture last measured is no suspect.
  ClearCrashMarker(session.platform);
  UnlockWindowAfterRun(session);
  PointGuideArrowAt(session.form, 0);
  session.platform.system.TrimWorkingSet();
  session.lastOutcome = RunOutcome::kFailed;
}

// Steps from the lock-out to the unlock; throws on any failure.
void RunCatalogue(RunSession& session) {
  MainForm& f = session.form;
  RunContext& run = session.run;
  LockWindowForRun(session);
  if (f.chkAllFileList.Value() == 1) {
    session.allFileList = session.platform.files.CreateTextFile(run.OutputFolder + kAllFileName);
  }
  TakeOptionsSnapshot(session);
  BeginThumbnails(session);
  run.CurrentDepth = static_cast<std::int16_t>(CountChar(run.SearchRoot, '\\') - 1);
  run.RunState = StopRequest::kNone;
  session.enteredFolders.clear();
  if (WalkFolder(session, run.SearchRoot) != 0 || WritePlacedPictures(session, true) != 0) {
    throw FileError("a page could not be written");
  }
  EndThumbnails(session, run.RunState == StopRequest::kNone);
  f.LblFileCount.SetCaption(std::to_string(run.FileCount));
  f.LblFileCount.Refresh();
  CloseAllFileList(session);
  WriteListPage(run, f.chkGazoHtml.Value() == 1, f.chkSubDir.Value() == 1, session.gallery,
                session.platform.files, session.platform.encoding);
  if (f.chkGazoHtml.Value() == 1 && run.RunState == StopRequest::kNone) {
    RemoveStalePages(run, session.platform.files);
  }
  ReportCompletion(session);
  UnlockWindowAfterRun(session);
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

void StartRun(RunSession& session) {
  RunContext& run = session.run;
  MainForm& f = session.form;
  // One run context serves one run at a time, even while a stopped walk unwinds.
  if (run.Active) return;
  ActiveRun active(run);
  System& system = session.platform.system;
  system.TrimWorkingSet();
  run.StartTime = system.Now();
  // Held until the failure path has closed what the run left open.
  std::unique_ptr<FolderLock> outputLock;
  try {
    run.SearchRoot = f.Dir1.Path();
    run.FileCount = 0;
    run.ImageCount = 0;
    PrepareDefaultOutputFolder(session);
    PointGuideArrowAt(session.form, -1);
    run.FastMode = 1;
    f.chkSpeed.SetValue(1);
    if (NoOptionChosen(f)) {
      session.platform.dialogs.Show(NoOptionsMessage());
      session.lastOutcome = RunOutcome::kNoOptions;
      return;
    }
    DeriveOutputNames(session);
    try {
      outputLock = session.platform.files.LockFolder(run.OutputFolder);
    } catch (const FolderLockError&) {
      RefuseOutputFolder(session, OutputFolderUnlockableMessage(run.OutputFolder));
      return;
    }
    if (!outputLock) {
      RefuseOutputFolder(session, OutputFolderBusyMessage(run.OutputFolder));
      return;
    }
    RunCatalogue(session);
  } catch (const NotAPlainFileError& e) {
    session.platform.dialogs.Show(NotAPlainFileMessage(e.path()));
    FailurePath(session);
    return;
  } catch (const std::exception&) {
    FailurePath(session);
    return;
  }
  run.Elapsed = system.Now() - run.StartTime;
  f.LblComment.SetCaption(f.LblComment.Caption() + "  " + FormatElapsed(run.Elapsed));
  if (session.FocusSearchField) session.FocusSearchField();
  if (run.RunState == StopRequest::kNone) OpenResults(session);
  ClearCrashMarker(session.platform);
  system.TrimWorkingSet();
  session.lastOutcome =
      run.RunState == StopRequest::kNone ? RunOutcome::kCompleted : RunOutcome::kStopped;
}

void ReportCompletion(RunSession& session) {
  const RunContext& run = session.run;
  Label& comment = session.form.LblComment;
  if (run.RunState != StopRequest::kNone) return;
  if (session.form.chkGazoHtml.Value() == 1 && run.ImageCount > 0) {
    comment.SetCaption("処理が正常に終了して、" + std::to_string(run.ImageCount) +
                       "個の画像ファイルをリストに登録しました。【閲覧】ボタンを押してブラウザで"
                       "ご覧ください");
  } else if (session.form.chkGazoHtml.Value() == 1) {
    comment.SetCaption("処理が正常に終了しましたが、画像ファイルはありませんでした。");
  } else {
    comment.SetCaption("処理は正常に終了しました。");
  }
  if (run.ThumbnailFolderRefused) comment.SetCaption(comment.Caption() + kNoThumbnailFolderText);
}

}  // namespace zb
