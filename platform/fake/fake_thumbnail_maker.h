#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/thumbnail_maker.h"

namespace zb {

// Thumbnails named after the picture's position; pictures listed in
// `undecodable` give none. Nothing is ready before it is waited for unless
// `readyAtOnce`, so that tests see the queue hold pictures back; with
// `hung`, nothing is ready until abandoned, as behind a helper that hangs.
class FakeThumbnailMaker : public ThumbnailMaker {
 public:
  bool Begin(const std::string& outputFolder) override;
  Ticket Submit(const std::string& picturePath, int side) override;
  bool Ready(Ticket ticket, std::chrono::milliseconds patience) override;
  std::optional<std::string> Wait(Ticket ticket) override;
  void Abandon() override;
  void End(bool removeUnused) override;

  bool refuse = false;
  bool readyAtOnce = false;
  bool hung = false;
  // Runs in every wait with patience, before it ends.
  std::function<void()> onWait;
  std::vector<std::string> undecodable;

  std::vector<std::string> began;
  std::vector<std::pair<std::string, int>> submitted;
  std::vector<Ticket> waited;
  int waits = 0;  // with patience
  int abandoned = 0;
  std::vector<bool> ended;  // removeUnused of each End
};

}  // namespace zb
