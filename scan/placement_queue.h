#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/thumbnail_maker.h"
#include "scan/picture_fit.h"

namespace zb {

struct RunSession;

// A picture measured and fitted, whose lines wait for its thumbnail, and
// for its browser copy when browsers do not show it.
struct Placement {
  std::string link;
  FittedSize fitted;
  std::string displayName;
  ThumbnailMaker::Ticket ticket = 0;
  std::optional<ThumbnailMaker::Ticket> copyTicket;
};

// Pictures leave in the order they came, each once its thumbnail is done,
// so that thumbnails are made in parallel while the pages keep the walk's
// order. Lives on the run's thread.
class PlacementQueue {
 public:
  // How many pictures may wait; beyond this the walk waits for the oldest.
  static constexpr std::size_t kAhead = 64;

  void Push(Placement placement) { waiting_.push_back(std::move(placement)); }
  // Writes the pictures at the front that are done; with `all`, waits for
  // every one; else waits only while more than kAhead are waiting. A wait
  // comes in short slices with `stopped` asked between them, which lets the
  // window run: once it says yes, the thumbnails not made yet are abandoned
  // and their pictures are written with their originals. A page that cannot
  // be started or closed throws FileError; the pictures not yet written are
  // dropped.
  void Write(RunSession& session, bool all, const std::function<bool()>& stopped);
  void Clear() { waiting_.clear(); }
  bool Empty() const { return waiting_.empty(); }

 private:
  static void Await(RunSession& session, ThumbnailMaker::Ticket ticket,
                    const std::function<bool()>& stopped);
  static bool Ready(ThumbnailMaker& maker, const Placement& placement);

  std::deque<Placement> waiting_;
};

}  // namespace zb
