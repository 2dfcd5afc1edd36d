#include "scan/placement_queue.h"

#include "settings/crash_marker.h"
#include "thumbnail/thumbnail_names.h"
#include "window/program.h"

namespace zb {
namespace {

// Short enough for a stop to be heard well within a second.
constexpr std::chrono::milliseconds kWaitSlice{100};

}  // namespace

void PlacementQueue::Await(Program& program, ThumbnailMaker::Ticket ticket,
                           const std::function<bool()>& stopped) {
  ThumbnailMaker& maker = program.platform.thumbnails;
  // Only helpers read pictures meanwhile: a crash now is none of ours.
  ClearCrashMarker(program.platform);
  bool abandoned = false;
  while (!maker.Ready(ticket, kWaitSlice)) {
    if (stopped() && !abandoned) {
      maker.Abandon();
      abandoned = true;
    }
  }
}

void PlacementQueue::Write(Program& program, bool all, const std::function<bool()>& stopped) {
  ThumbnailMaker& maker = program.platform.thumbnails;
  RunContext& run = program.run;
  while (!waiting_.empty()) {
    if (!maker.Ready(waiting_.front().ticket, std::chrono::milliseconds(0))) {
      if (!all && waiting_.size() <= kAhead) return;
      Await(program, waiting_.front().ticket, stopped);
    }
    const Placement placement = std::move(waiting_.front());
    waiting_.pop_front();
    const std::optional<std::string> name = maker.Wait(placement.ticket);
    try {
      if (run.ImageCount == 0) program.gallery.StartFirstPair(run);
      const std::string source =
          name ? PictureLink(run, program.platform.files, program.platform.encoding,
                             run.OutputFolder + kThumbnailFolder + "\\" + *name)
               : std::string();
      program.gallery.WritePicture(run, placement.link, placement.fitted.width,
                                   placement.fitted.height, placement.displayName,
                                   name ? &source : nullptr);
      program.gallery.CountPicture(run);
    } catch (const FileError&) {
      waiting_.clear();
      throw;
    }
  }
}

}  // namespace zb
