#include "scan/placement_queue.h"

#include "gallery/thumbnail_names.h"
#include "window/program.h"

namespace zb {

void WritePictureCells(Program& program, const std::string& link, FittedSize fitted,
                       const std::string& displayName, const std::string* reducedSource) {
  RunContext& run = program.run;
  program.gallery.WritePicture(run, link, fitted.width, fitted.height, displayName, reducedSource);
  ++run.ImageCount;
  if (run.ImagesPerPage > 0 && run.ImageCount % run.ImagesPerPage == 0) {
    program.gallery.CloseFullPairAndStartNext(run);
  }
}

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
      if (!name) {
        WritePictureCells(program, placement.link, placement.fitted, placement.displayName,
                          nullptr);
        continue;
      }
      const std::string source = PictureLink(run, program.platform.files, program.platform.encoding,
                                             run.OutputFolder + kThumbnailFolder + "\\" + *name);
      WritePictureCells(program, placement.link, placement.fitted, placement.displayName, &source);
    } catch (const FileError&) {
      waiting_.clear();
      throw;
    }
  }
}

}  // namespace zb
