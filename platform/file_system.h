#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

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

// An output name taken by something that is not a plain file (a link, a
// pipe, a device, a folder): it is never written through.
class NotAPlainFileError : public FileError {
 public:
  explicit NotAPlainFileError(std::string path)
      : FileError("not a plain file: " + path), path_(std::move(path)) {}
  // The drive path as the caller gave it.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// An output folder that exists but cannot be locked (its owner may not read
// it): a run there could not keep another out, so it writes nothing.
class FolderLockError : public FileError {
 public:
  explicit FolderLockError(const std::string& folder)
      : FileError("cannot lock folder: " + folder) {}
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
  // Flushes, closes and puts the file in its name's place; a failure to
  // flush or close throws FileError. The file is closed afterwards, whatever
  // happened. A file destroyed unclosed, or one that lost lines, does not
  // take its name's place where the host can avoid it.
  virtual void Close() = 0;
};

// Held while a run writes into a folder. The host drops it when the program
// ends, however it ends, so no lock outlives its run.
class FolderLock {
 public:
  virtual ~FolderLock() = default;
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
  // True when path lies below folder, is a plain file (no link) and is
  // reached from folder through real folders only, never through a link.
  virtual bool IsPlainFileBelow(const std::string& folder, const std::string& path) = 0;
  // Deletes such a file, checking the same again as it deletes; anything
  // else throws FileError and is left alone.
  virtual void DeleteFileBelow(const std::string& folder, const std::string& path) = 0;
  // Deletes the plain files right in folder whose names picks chooses and
  // whose first line is firstLine, as a text file of this host writes it:
  // never a link, a pipe or anything else, never a file of other text.
  // Returns how many went; a file that cannot be deleted stays, unreported.
  virtual int DeleteOwnTextFiles(const std::string& folder,
                                 const std::function<bool(std::string_view)>& picks,
                                 std::string_view firstLine) = 0;
  // Replaces or creates the file. A name taken by anything but a plain file
  // throws NotAPlainFileError and is left alone. The file takes its name's
  // place only when closed: until then the name keeps what it held.
  virtual std::unique_ptr<TextFile> CreateTextFile(const std::string& path) = 0;
  // One run per output folder: null while another run holds the folder. A
  // folder that does not exist gives a lock that holds nothing, as nothing
  // can be written there anyway; one that exists but cannot be locked throws
  // FolderLockError.
  virtual std::unique_ptr<FolderLock> LockFolder(const std::string& folder) = 0;
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
