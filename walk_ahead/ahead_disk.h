#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace zb {

// A folder's time stamp as it was listed.
struct FolderStamp {
  std::int64_t seconds = 0;
  std::int64_t nanoseconds = 0;
  bool operator==(const FolderStamp&) const = default;
};

// A head not read, or not wanted.
inline constexpr std::size_t kNoHead = static_cast<std::size_t>(-1);

// An entry of a listing read ahead, with the head the walk wants of it.
struct AheadItem {
  FolderEntry entry;
  std::size_t wanted = 0;  // bytes of head; 0 for none
  std::size_t headSize = kNoHead;
};

// One pass over a folder being read ahead.
class AheadFolder {
 public:
  virtual ~AheadFolder() = default;
  virtual bool Next(FolderEntry& entry) = 0;
  virtual FolderId Id() const = 0;
  // Whether the entry last given is a plain file: only such files are worth
  // reading ahead; a pipe or device is never opened.
  virtual bool LastIsPlainFile() const = 0;
  // The stamp as the folder was opened, when a change made while it was
  // listed moves it; else none, and the folder is never served.
  virtual std::optional<FolderStamp> Stamp() const = 0;
};

// What reading ahead needs of the host: listing folders and reading the
// first bytes of files, by host path. Called on helper threads at once.
class AheadDisk {
 public:
  virtual ~AheadDisk() = default;
  // Null when the folder cannot be listed.
  virtual std::unique_ptr<AheadFolder> List(const std::string& host, std::uint32_t mask) = 0;
  virtual std::string ChildOf(const std::string& host, std::string_view name) const = 0;
  // Whether the folder at host is still the one listed, as it was then.
  virtual bool Unchanged(const std::string& host, const FolderId& id, const FolderStamp& stamp) = 0;
  // Reads the heads of the items that want one, from the folder at host,
  // into into, stride bytes apart in item order; sets their headSize.
  // heads is how many want one; path is the caller's to reuse. Whether any
  // head had to wait on the disk (or whether that cannot be told).
  virtual bool ReadHeads(const std::string& host, std::span<AheadItem> items, std::size_t heads,
                         std::byte* into, std::size_t stride, std::string& path) = 0;
  // Names the calling thread, so that top and perf tell the helpers apart.
  virtual void NameThread(const char* name) = 0;
};

}  // namespace zb
