#include "platform/fake/fake_thumbnail_maker.h"

#include <algorithm>

namespace zb {

bool FakeThumbnailMaker::Begin(const std::string& outputFolder) {
  began.push_back(outputFolder);
  return !refuse;
}

ThumbnailMaker::Ticket FakeThumbnailMaker::Submit(const std::string& picturePath, int side) {
  submitted.emplace_back(picturePath, side);
  return submitted.size() - 1;
}

bool FakeThumbnailMaker::Ready(Ticket, std::chrono::milliseconds patience) {
  if (readyAtOnce || abandoned > 0) return true;
  if (patience.count() == 0) return false;
  ++waits;
  if (onWait) onWait();
  return !hung;
}

std::optional<std::string> FakeThumbnailMaker::Wait(Ticket ticket) {
  waited.push_back(ticket);
  const std::string& path = submitted.at(ticket).first;
  if (abandoned > 0 ||
      std::find(undecodable.begin(), undecodable.end(), path) != undecodable.end()) {
    return std::nullopt;
  }
  return "t" + std::to_string(ticket) + ".jpg";
}

void FakeThumbnailMaker::Abandon() { ++abandoned; }

void FakeThumbnailMaker::End(bool removeUnused) { ended.push_back(removeUnused); }

}  // namespace zb
