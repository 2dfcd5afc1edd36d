#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/thumbnail_maker.h"

namespace zb {

// Thumbnails named after the picture's position; pictures listed in
// `undecodable` give none. Nothing is ready before it is waited for unless
// `readyAtOnce`, so that tests see the queue hold pictures back.
class FakeThumbnailMaker : public ThumbnailMaker {
 public:
  bool Begin(const std::string& outputFolder) override;
  Ticket Submit(const std::string& picturePath, int side) override;
  bool Ready(Ticket ticket) override;
  std::optional<std::string> Wait(Ticket ticket) override;
  void End(bool removeUnused) override;

  bool refuse = false;
  bool readyAtOnce = false;
  std::vector<std::string> undecodable;

  std::vector<std::string> began;
  std::vector<std::pair<std::string, int>> submitted;
  std::vector<Ticket> waited;
  std::vector<bool> ended;  // removeUnused of each End
};

}  // namespace zb
