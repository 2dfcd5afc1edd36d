#include "scan/process_file.h"

#include <string_view>

#include "context/run_messages.h"
#include "gallery/gallery_writer.h"
#include "scan/delete_question.h"
#include "scan/odd_files.h"
#include "scan/picture_fit.h"
#include "scan/picture_kind.h"
#include "scan/picture_measure.h"
#include "scan/placement_queue.h"
#include "scan/run_session.h"
#include "scan/run_stop.h"
#include "text/text_util.h"
#include "thumbnail/thumbnail_names.h"

namespace zb {
namespace {

constexpr std::int16_t kPageWriteError = 75;

// False when the user confirmed the stop.
bool AnswerStopRequest(RunSession& session) {
  MainForm& f = session.form;
  if (session.platform.dialogs.Show(StopQuestion()) == Answer::kYes) {
    ConfirmStop(session);
    return false;
  }
  f.cmdStart.SetEnabled(false);
  f.cmdStop.SetEnabled(true);
  session.run.RunState = StopRequest::kNone;
  return true;
}

// Between waits for thumbnails: the window runs, and a stop is asked about.
bool StopConfirmed(RunSession& session) {
  session.platform.system.YieldToEvents();
  if (session.run.RunState == StopRequest::kAsked) AnswerStopRequest(session);
  return session.run.RunState == StopRequest::kConfirmed;
}

std::string_view DisplayName(const RunContext& run, std::string_view path) {
  if (run.SameDirOutput == 1 && run.RelativeLinks == 1 && path.size() >= run.OutputFolder.size()) {
    return path.substr(run.OutputFolder.size());
  }
  return path;
}

// Runs a page write; a failure is reported and becomes the walk's error.
template <typename Write>
std::int16_t GuardPageWrite(RunSession& session, Write&& write) {
  try {
    write();
  } catch (const NotAPlainFileError& e) {
    session.platform.dialogs.Show(NotAPlainFileMessage(e.path()));
    return kPageWriteError;
  } catch (const FileError&) {
    session.platform.dialogs.Show(PageWriteErrorMessage());
    return kPageWriteError;
  }
  return 0;
}

// Places one picture; non-zero when starting or rolling a page pair failed.
// With thumbnails its lines wait in the run's queue for the thumbnail.
std::int16_t PlacePicture(RunSession& session, const std::string& path, PictureKind kind,
                          std::string_view displayName,
                          std::optional<std::span<const std::byte>> head) {
  RunContext& run = session.run;
  bool queued = false;
  const std::int16_t error = GuardPageWrite(session, [&] {
    const std::string link =
        PictureLink(run, session.platform.files, session.platform.encoding, path);
    const bool thumbnails = run.MakeThumbnails;
    if (run.ImageCount == 0 && !thumbnails) session.gallery.StartFirstPair(run);
    const MeasuredSize measured = MeasurePicture(session, path, kind == PictureKind::kGif, head);
    const FittedSize fitted = FitIntoBox(measured.width, measured.height, run.ThumbnailSize);
    if (!thumbnails) {
      session.gallery.WritePicture(run, link, fitted.width, fitted.height, displayName);
      session.gallery.CountPicture(run);
      return;
    }
    // Twice the box, for screens with dense pixels.
    const auto ticket = session.platform.thumbnails.Submit(path, 2 * run.ThumbnailSize);
    std::optional<ThumbnailMaker::Ticket> copyTicket;
    if (kind == PictureKind::kHeif) {
      copyTicket = session.platform.thumbnails.Submit(path, kBrowserCopySide);
    }
    session.placements.Push({link, fitted, std::string(displayName), ticket, copyTicket});
    queued = true;
  });
  if (error != 0 || !queued) return error;
  return WritePlacedPictures(session, false);
}

void ShowStatus(RunSession& session, const std::string& path) {
  MainForm& f = session.form;
  f.LblComment.SetCaption(path);
  f.LblComment.Refresh();
  f.LblDirMax.SetCaption(std::to_string(session.run.MaxDepth));
  f.LblDirMax.Refresh();
  f.LblFileCount.SetCaption(std::to_string(session.run.FileCount));
  f.LblFileCount.Refresh();
}

}  // namespace

std::int16_t WritePlacedPictures(RunSession& session, bool all) {
  return GuardPageWrite(session, [&] {
    session.placements.Write(session, all, [&] { return StopConfirmed(session); });
  });
}

std::int16_t ProcessFile(RunSession& session, const std::string& path,
                         std::optional<std::span<const std::byte>> head) {
  RunContext& run = session.run;
  MainForm& f = session.form;
  session.platform.system.YieldToEvents();
  if (run.RunState == StopRequest::kConfirmed) return 0;
  if (run.RunState == StopRequest::kAsked && !AnswerStopRequest(session)) return 0;

  std::string_view displayName;
  if (run.MakeAllFileList == 1 || (run.TableLayout == 1 && run.ShowFileName == 1)) {
    displayName = DisplayName(run, path);
    if (run.MakeAllFileList == 1 && session.allFileList) {
      try {
        session.allFileList->WriteLine(displayName);
      } catch (const FileError&) {
        // A lost line must not end the run; closing the list reports it.
      }
    }
  }

  if (f.chkGazoHtml.Value() == 1) {
    const PictureKind kind = KindOf(path, f.chkBmp.Value() == 1, run.MoreFormats);
    if (kind != PictureKind::kNone) {
      if (std::int16_t error = PlacePicture(session, path, kind, displayName, head)) return error;
    }
  }

  if (run.DeleteOddFiles == 1 && CountChar(path, ';') > 0 && MayOfferForDeletion(session, path)) {
    // A picture is deleted only after its lines are written.
    if (std::int16_t error = WritePlacedPictures(session, true)) return error;
    try {
      ConfirmDeleteFileBelow(session.platform, run.SearchRoot, path);
    } catch (const FileError&) {
      // A file that cannot be deleted stays; the run goes on.
    }
  }

  ++run.FileCount;
  if (run.FileCount % 100 == 0 || run.FastMode == 0) ShowStatus(session, path);
  return 0;
}

}  // namespace zb
