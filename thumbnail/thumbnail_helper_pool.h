#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zb {

// Helpers that make thumbnail bytes away from the run, so that a picture
// that brings its decoder down, or hangs it, costs only its own thumbnail.
class ThumbnailHelperPool {
 public:
  enum class Outcome {
    kMade,        // the bytes are the thumbnail
    kRefused,     // the helper made none, or died, hung or spoke nonsense on it
    kUnanswered,  // no helper could be started, or the job was abandoned
  };
  // Called on a thread of the pool (or in Abandon) with the JPEG bytes,
  // empty unless made.
  using Done = std::function<void(Outcome, std::vector<std::uint8_t>)>;

  virtual ~ThumbnailHelperPool() = default;

  virtual void Post(std::string hostPath, int side, Done done) = 0;
  // Answers the queued jobs as unanswered at once and ends the helpers at
  // work, whose jobs end unanswered too. Never waits for a helper.
  virtual void Abandon() = 0;
  // Abandons, then waits until no job runs.
  virtual void Settle() = 0;
};

}  // namespace zb
