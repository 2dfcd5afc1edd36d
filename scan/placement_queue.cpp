#include "scan/placement_queue.h"

#include "gallery/thumbnail_names.h"
#include "window/program.h"

namespace zb {

void PlacementQueue::Write(Program& program, bool all) {
  ThumbnailMaker& maker = program.platform.thumbnails;
  RunContext& run = program.run;
  while (!waiting_.empty() &&
         (all || waiting_.size() > kAhead || maker.Ready(waiting_.front().ticket))) {
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
