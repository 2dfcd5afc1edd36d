#include "scan/placement_queue.h"

#include "scan/run_session.h"
#include "settings/crash_marker.h"
#include "thumbnail/thumbnail_names.h"

namespace zb {
namespace {

// Short enough for a stop to be heard well within a second.
constexpr std::chrono::milliseconds kWaitSlice{100};

}  // namespace

void PlacementQueue::Await(RunSession& session, ThumbnailMaker::Ticket ticket,
                           const std::function<bool()>& stopped) {
  ThumbnailMaker& maker = session.platform.thumbnails;
  // Only helpers read pictures meanwhile: a crash now is none of ours.
  ClearCrashMarker(session.platform);
  bool abandoned = false;
  while (!maker.Ready(ticket, kWaitSlice)) {
    if (stopped() && !abandoned) {
      maker.Abandon();
      abandoned = true;
    }
  }
}

void PlacementQueue::Write(RunSession& session, bool all, const std::function<bool()>& stopped) {
  ThumbnailMaker& maker = session.platform.thumbnails;
  RunContext& run = session.run;
  while (!waiting_.empty()) {
    if (!maker.Ready(waiting_.front().ticket, std::chrono::milliseconds(0))) {
      if (!all && waiting_.size() <= kAhead) return;
      Await(session, waiting_.front().ticket, stopped);
    }
    const Placement placement = std::move(waiting_.front());
    waiting_.pop_front();
    const std::optional<std::string> name = maker.Wait(placement.ticket);
    try {
      if (run.ImageCount == 0) session.gallery.StartFirstPair(run);
      const std::string source =
          name ? PictureLink(run, session.platform.files, session.platform.encoding,
                             run.OutputFolder + kThumbnailFolder + "\\" + *name)
               : std::string();
      session.gallery.WritePicture(run, placement.link, placement.fitted.width,
                                   placement.fitted.height, placement.displayName,
                                   name ? &source : nullptr);
      session.gallery.CountPicture(run);
    } catch (const FileError&) {
      waiting_.clear();
      throw;
    }
  }
}

}  // namespace zb
