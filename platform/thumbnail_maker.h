#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace zb {

// Reduced copies of pictures, kept in the folder "_gazthumb" of a run's
// output folder and made in the background. Every call comes from the run's
// thread; the making itself happens elsewhere and never touches the window.
class ThumbnailMaker {
 public:
  using Ticket = std::uint64_t;

  virtual ~ThumbnailMaker() = default;

  // Takes "<outputFolder>_gazthumb" for a run, making it when missing.
  // False when it cannot be used: it is a link or no folder, cannot be made,
  // or holds files without being ours.
  virtual bool Begin(const std::string& outputFolder) = 0;
  // Starts on one picture; side is the longest side wanted, in pixels.
  virtual Ticket Submit(const std::string& picturePath, int side) = 0;
  // Whether Wait would return at once, after waiting at most `patience`.
  virtual bool Ready(Ticket ticket, std::chrono::milliseconds patience) = 0;
  // The thumbnail's file name inside "_gazthumb", or empty when the picture
  // gives none (unreadable, undecodable, an animated picture, ...).
  virtual std::optional<std::string> Wait(Ticket ticket) = 0;
  // Gives up every thumbnail not made yet, without waiting for a helper:
  // their pictures get none (which is not held against them) and are ready.
  virtual void Abandon() = 0;
  // Ends the run after every ticket was waited for. With removeUnused, our
  // thumbnails that this run did not name are deleted; nothing else is.
  virtual void End(bool removeUnused) = 0;
};

}  // namespace zb
