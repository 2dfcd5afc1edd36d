#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_set>

namespace zb {

// "_gazthumb" of one output folder, held open by descriptor from the moment
// it was checked, so that no later change of a name above it redirects a
// write. Only a real folder (no link) that is empty or carries our mark is
// taken; a new one gets the mark, and no more access than the output folder.
class ThumbnailFolder {
 public:
  // Who may read the picture a thumbnail shows: a thumbnail is never more
  // readable than its picture.
  struct Readers {
    mode_t mode = 0;
    gid_t group = 0;
  };

  // Null when refused.
  static std::unique_ptr<ThumbnailFolder> Open(const std::string& outputHostFolder);
  ~ThumbnailFolder();
  ThumbnailFolder(const ThumbnailFolder&) = delete;
  ThumbnailFolder& operator=(const ThumbnailFolder&) = delete;

  // A regular file of that name is there (links are not followed).
  bool Has(const std::string& name) const;
  // Writes a temporary file of our own and renames it over `name`; false on
  // any failure (a full disk included), leaving nothing behind. Safe to call
  // from several threads.
  bool Write(const std::string& name, std::span<const std::uint8_t> bytes, Readers readers);
  // Deletes the files named like thumbnails or records of none that `used`
  // lacks, and our temporary files left by a run that was killed. Nothing
  // else.
  void RemoveUnused(const std::unordered_set<std::string>& used);

 private:
  explicit ThumbnailFolder(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace zb
