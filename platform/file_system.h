#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zb {

class WalkAhead;
struct WalkPlan;

// Windows attribute bits, as a Windows listing reports them.
enum Attribute : std::uint32_t {
  kAttrReadOnly = 1,
  kAttrHidden = 2,
  kAttrSystem = 4,
  kAttrDirectory = 16,
};

// Any failure of a file operation; the core's error traps catch it.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct FolderEntry {
  std::string name;
  // Empty when the entry's attributes cannot be read (a dangling link, say).
  std::optional<std::uint32_t> attributes;
};

// Identity of a folder on its device; a folder reached twice has the same id.
struct FolderId {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  bool operator==(const FolderId&) const = default;
};

// One pass over a folder, one entry at a time, "." and ".." included.
class FolderListing {
 public:
  virtual ~FolderListing() = default;
  // False when the listing is exhausted.
  virtual bool Next(FolderEntry& entry) = 0;
  virtual FolderId Id() const = 0;
  // The first bytes of the file last given, when they were read ahead: as
  // many as asked for, fewer only where the file ends. Empty otherwise.
  virtual std::optional<std::span<const std::byte>> Head() const { return std::nullopt; }
};

// A text file being written: UTF-8 in, Shift_JIS with CR LF out.
class TextFile {
 public:
  virtual ~TextFile() = default;
  // Characters that Shift_JIS cannot hold are written as "?". Once a line
  // is lost, every later line and the Close throw FileError too, so a file
  // that lost a line never closes as if it were whole.
  virtual void WriteLine(std::string_view utf8) = 0;
  // Flushes and closes; a failure to flush throws FileError. The file is
  // closed afterwards, whatever happened.
  virtual void Close() = 0;
};

// The host's files, seen through Windows drive paths ("C:\pics\a.jpg").
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Lists a folder. Entries that the mask does not admit (hidden or system
  // entries without bits 2 or 4, folders without bit 16) are left out.
  // Returns null when the folder cannot be listed.
  virtual std::unique_ptr<FolderListing> ListFolder(const std::string& folder,
                                                    std::uint32_t mask) = 0;
  virtual std::optional<std::uint32_t> GetAttributes(const std::string& path) = 0;
  virtual void MakeFolder(const std::string& path) = 0;
  virtual void DeleteFile(const std::string& path) = 0;
  // Creates or empties the file.
  virtual std::unique_ptr<TextFile> CreateTextFile(const std::string& path) = 0;
  // Reads up to buffer.size() bytes at offset; returns how many were read.
  virtual std::size_t ReadAt(const std::string& path, std::uint64_t offset,
                             std::span<std::byte> buffer) = 0;
  // The address a browser opens for an absolute picture link.
  virtual std::string FileUrl(const std::string& path) = 0;
  // Starts reading ahead of a walk (walk_ahead.h); null when this host does
  // not read ahead, and the walk lists and reads by itself.
  virtual std::unique_ptr<WalkAhead> StartWalkAhead(WalkPlan plan) = 0;
  // The path with each existing entry spelt as on disk, letter case and all;
  // the drive and entries that do not exist stay as given. Paths below it
  // then need no case-blind look-up.
  virtual std::string SpelledAsOnDisk(const std::string& path) = 0;
};

}  // namespace zb
