#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <unordered_set>

namespace zb {

// The thumbnails' folder of one run, as the host keeps it.
class ThumbnailStore {
 public:
  // A picture file as found for its thumbnail.
  struct Picture {
    std::string hostPath;
    // ThumbnailFileName of what the thumbnail is made from.
    std::string thumbnailName;
    // Writes a file of the store no more readable than the picture; false
    // on any failure, leaving nothing behind. Safe from any thread.
    std::function<bool(const std::string& name, std::span<const std::uint8_t> bytes)> write;
  };

  virtual ~ThumbnailStore() = default;

  // Empty when the drive path names no regular file.
  virtual std::optional<Picture> Find(const std::string& picturePath, int side) = 0;
  // A file of that name is there.
  virtual bool Has(const std::string& name) const = 0;
  // Deletes the files named like thumbnails or records of none that `used`
  // lacks, and what a killed run left half-written. Nothing else.
  virtual void RemoveUnused(const std::unordered_set<std::string>& used) = 0;
};

}  // namespace zb
