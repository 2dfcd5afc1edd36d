#include "scan/process_file.h"

#include <string_view>

#include "gallery/gallery_writer.h"
#include "run/messages.h"
#include "run/output_location.h"
#include "run/run_driver.h"
#include "run/text_util.h"
#include "scan/odd_files.h"
#include "scan/picture_fit.h"
#include "scan/picture_kind.h"
#include "scan/picture_measure.h"
#include "scan/placement_queue.h"
#include "window/program.h"

namespace zb {
namespace {

constexpr std::int16_t kPageWriteError = 75;

// False when the user confirmed the stop.
bool AnswerStopRequest(Program& program) {
  MainForm& f = program.form;
  if (program.platform.dialogs.Show(StopQuestion()) == Answer::kYes) {
    ConfirmStop(program);
    return false;
  }
  f.cmdStart.SetEnabled(false);
  f.cmdStop.SetEnabled(true);
  program.run.RunState = 0;
  return true;
}

// Between waits for thumbnails: the window runs, and a stop is asked about.
bool StopConfirmed(Program& program) {
  program.platform.system.YieldToEvents();
  if (program.run.RunState == 1) AnswerStopRequest(program);
  return program.run.RunState == 2;
}

std::string_view DisplayName(const RunContext& run, std::string_view path) {
  if (run.SameDirOutput == 1 && run.RelativeLinks == 1 && path.size() >= run.OutputFolder.size()) {
    return path.substr(run.OutputFolder.size());
  }
  return path;
}

// Runs a page write; a failure is reported and becomes the walk's error.
template <typename Write>
std::int16_t GuardPageWrite(Program& program, Write&& write) {
  try {
    write();
  } catch (const NotAPlainFileError& e) {
    program.platform.dialogs.Show(NotAPlainFileMessage(e.path()));
    return kPageWriteError;
  } catch (const FileError&) {
    program.platform.dialogs.Show(PageWriteErrorMessage());
    return kPageWriteError;
  }
  return 0;
}

// Places one picture; non-zero when starting or rolling a page pair failed.
// With thumbnails its lines wait in the run's queue for the thumbnail.
std::int16_t PlacePicture(Program& program, const std::string& path, PictureKind kind,
                          std::string_view displayName,
                          std::optional<std::span<const std::byte>> head) {
  RunContext& run = program.run;
  bool queued = false;
  const std::int16_t error = GuardPageWrite(program, [&] {
    const std::string link =
        PictureLink(run, program.platform.files, program.platform.encoding, path);
    const bool thumbnails = run.MakeThumbnails == 1;
    if (run.ImageCount == 0 && !thumbnails) program.gallery.StartFirstPair(run);
    const MeasuredSize measured = MeasurePicture(program, path, kind == PictureKind::kGif, head);
    const FittedSize fitted = FitIntoBox(measured.width, measured.height, run.ThumbnailSize);
    if (!thumbnails) {
      program.gallery.WritePicture(run, link, fitted.width, fitted.height, displayName);
      program.gallery.CountPicture(run);
      return;
    }
    // Twice the box, for screens with dense pixels.
    const auto ticket = program.platform.thumbnails.Submit(path, 2 * run.ThumbnailSize);
    program.placements.Push({link, fitted, std::string(displayName), ticket});
    queued = true;
  });
  if (error != 0 || !queued) return error;
  return WritePlacedPictures(program, false);
}

void ShowStatus(Program& program, const std::string& path) {
  MainForm& f = program.form;
  f.LblComment.SetCaption(path);
  f.LblComment.Refresh();
  f.LblDirMax.SetCaption(std::to_string(program.run.MaxDepth));
  f.LblDirMax.Refresh();
  f.LblFileCount.SetCaption(std::to_string(program.run.FileCount));
  f.LblFileCount.Refresh();
}

}  // namespace

std::int16_t WritePlacedPictures(Program& program, bool all) {
  return GuardPageWrite(program, [&] {
    program.placements.Write(program, all, [&] { return StopConfirmed(program); });
  });
}

std::int16_t ProcessFile(Program& program, const std::string& path,
                         std::optional<std::span<const std::byte>> head) {
  RunContext& run = program.run;
  MainForm& f = program.form;
  program.platform.system.YieldToEvents();
  if (run.RunState == 2) return 0;
  if (run.RunState == 1 && !AnswerStopRequest(program)) return 0;

  std::string_view displayName;
  if (run.MakeAllFileList == 1 || (run.TableLayout == 1 && run.ShowFileName == 1)) {
    displayName = DisplayName(run, path);
    if (run.MakeAllFileList == 1 && program.allFileList) {
      try {
        program.allFileList->WriteLine(displayName);
      } catch (const FileError&) {
        // A lost line must not end the run; closing the list reports it.
      }
    }
  }

  if (f.chkGazoHtml.Value() == 1) {
    const PictureKind kind = KindOf(path, f.chkBmp.Value() == 1, run.MoreFormats == 1);
    if (kind != PictureKind::kNone) {
      if (std::int16_t error = PlacePicture(program, path, kind, displayName, head)) return error;
    }
  }

  if (run.DeleteOddFiles == 1 && CountChar(path, ';') > 0 && MayOfferForDeletion(program, path)) {
    // A picture is deleted only after its lines are written.
    if (std::int16_t error = WritePlacedPictures(program, true)) return error;
    try {
      ConfirmDeleteFileBelow(program, run.SearchRoot, path);
    } catch (const FileError&) {
      // A file that cannot be deleted stays; the run goes on.
    }
  }

  ++run.FileCount;
  if (run.FileCount % 100 == 0 || run.FastMode == 0) ShowStatus(program, path);
  return 0;
}

}  // namespace zb
