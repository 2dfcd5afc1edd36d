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

bool PlacementQueue::Ready(ThumbnailMaker& maker, const Placement& placement) {
  constexpr std::chrono::milliseconds kNow{0};
  return maker.Ready(placement.ticket, kNow) &&
         (!placement.copyTicket || maker.Ready(*placement.copyTicket, kNow));
}

void PlacementQueue::Write(RunSession& session, bool all, const std::function<bool()>& stopped) {
  ThumbnailMaker& maker = session.platform.thumbnails;
  RunContext& run = session.run;
  while (!waiting_.empty()) {
    if (!Ready(maker, waiting_.front())) {
      if (!all && waiting_.size() <= kAhead) return;
      Await(session, waiting_.front().ticket, stopped);
      if (waiting_.front().copyTicket) Await(session, *waiting_.front().copyTicket, stopped);
    }
    const Placement placement = std::move(waiting_.front());
    waiting_.pop_front();
    const std::optional<std::string> name = maker.Wait(placement.ticket);
    const std::optional<std::string> copy =
        placement.copyTicket ? maker.Wait(*placement.copyTicket) : std::nullopt;
    try {
      if (run.ImageCount == 0) session.gallery.StartFirstPair(run);
      const auto inFolder = [&](const std::optional<std::string>& made) {
        return made ? PictureLink(run, session.platform.files, session.platform.encoding,
                                  run.OutputFolder + kThumbnailFolder + "\\" + *made)
                    : std::string();
      };
      const std::string source = inFolder(name);
      const std::string copySource = inFolder(copy);
      session.gallery.WritePicture(run, placement.link, placement.fitted.width,
                                   placement.fitted.height, placement.displayName,
                                   name ? &source : nullptr, copy ? &copySource : nullptr);
      session.gallery.CountPicture(run);
    } catch (const FileError&) {
      waiting_.clear();
      throw;
    }
  }
}

}  // namespace zb
