#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "platform/walk_ahead.h"

namespace zb {

// The calls the fake counts; any of them can be made to fail.
enum class FakeOperation {
  kList,
  kNext,
  kAttributes,
  kMakeFolder,
  kDelete,
  kCreate,
  kWriteLine,
  kClose,
  kRead
};

// A file system in memory, seen through drive paths. Look-ups ignore ASCII
// letter case; a new entry keeps the case given. A folder lists its entries
// in the order they were added ("." and ".." first), as it stood when the
// listing began. Drive C: exists from the start; other drives appear when
// something is added on them.
class FakeFileSystem : public FileSystem {
 public:
  FakeFileSystem();
  ~FakeFileSystem() override;
  FakeFileSystem(const FakeFileSystem&) = delete;
  FakeFileSystem& operator=(const FakeFileSystem&) = delete;

  // Building a tree; missing folders on the way are made. None of these counts.
  void AddFolder(const std::string& path, std::uint32_t attributes = kAttrDirectory);
  void AddFile(const std::string& path, std::string bytes = {}, std::uint32_t attributes = 0);
  // An entry whose attributes cannot be read, like a dangling link.
  void AddUnreadable(const std::string& path);
  // A second name for an existing folder (a link): same FolderId, same entries.
  void AddFolderLink(const std::string& path, const std::string& target);
  // An entry listed like a file that is none (a pipe, a device, a link to a
  // file): never written through, never deleted as an odd file.
  void AddSpecial(const std::string& path);

  // Looking at the result. Lines and Bytes throw std::invalid_argument for a
  // path that is no file.
  bool Exists(const std::string& path) const;
  // The UTF-8 lines written to a text file.
  std::vector<std::string> Lines(const std::string& path) const;
  // The file's bytes; a text file's lines each end with CR LF.
  std::string Bytes(const std::string& path) const;
  // Every path deleted, as given, in order.
  const std::vector<std::string>& Deleted() const { return deleted_; }
  // Text files created and neither closed nor dropped (a failed Close counts
  // as closed).
  int OpenFileCount() const { return openFiles_; }
  // Counted calls so far.
  int OperationCount() const { return operations_; }

  // Faults. The n-th counted call since construction (1-based) fails; and
  // every call of op on path (compared as a look-up does) fails. A failing
  // list, next or attribute read reports nothing; the others throw FileError.
  void FailOperationNumber(int n) { failingOperation_ = n; }
  void FailAt(FakeOperation op, const std::string& path);
  // A folder that exists but cannot be locked, as one its owner may not read.
  void MakeUnlockable(const std::string& folder);

  std::unique_ptr<FolderListing> ListFolder(const std::string& folder, std::uint32_t mask) override;
  std::optional<std::uint32_t> GetAttributes(const std::string& path) override;
  void MakeFolder(const std::string& path) override;
  void DeleteFile(const std::string& path) override;
  bool IsPlainFileBelow(const std::string& folder, const std::string& path) override;
  // Counts as a delete of path.
  void DeleteFileBelow(const std::string& folder, const std::string& path) override;
  // Not counted; a file's first line is its bytes up to the first CR LF.
  // What goes is noted in Deleted().
  int DeleteOwnTextFiles(const std::string& folder,
                         const std::function<bool(std::string_view)>& picks,
                         std::string_view firstLine) override;
  // An existing file keeps its text until its replacement is closed whole.
  std::unique_ptr<TextFile> CreateTextFile(const std::string& path) override;
  // Folders are locked by path; a second lock of a locked folder is refused.
  // A folder made unlockable throws FolderLockError.
  std::unique_ptr<FolderLock> LockFolder(const std::string& folder) override;
  std::size_t ReadAt(const std::string& path, std::uint64_t offset,
                     std::span<std::byte> buffer) override;
  // "file:///fake/" + the path with "/" separators, percent-encoded.
  std::string FileUrl(const std::string& path) override;
  // Null unless readAhead is set. Then each folder is listed when the walk
  // asks for it, as ListFolder does, with the wanted heads attached (a file
  // whose reads fail has none); nothing runs on other threads.
  std::unique_ptr<WalkAhead> StartWalkAhead(WalkPlan plan) override;

  bool readAhead = false;
  int headsGiven = 0;  // heads attached by the read-ahead so far
  std::string SpelledAsOnDisk(const std::string& path) override;

 private:
  struct File;
  struct Folder;
  struct Entry;
  class Listing;
  class Text;
  class ReadAhead;
  class Lock;

  // A counted call: false unless it is to fail.
  bool Fails(FakeOperation op, const std::string& path);
  // Whether calls of op on path are set to fail; counts nothing.
  bool FailsAt(FakeOperation op, const std::string& path) const;
  Folder& NewFolder();
  Folder* FindFolder(const std::string& path) const;
  // The folder that holds, or is to hold, path's last name.
  Folder* FindParent(const std::string& path) const;
  Entry* FindEntry(const std::string& path) const;
  Folder* WalkDown(char drive, const std::vector<std::string>& names, std::size_t depth) const;
  // Adds entry under path's last name, making the drive and folders above it.
  Entry& AddEntry(const std::string& path, Entry entry);
  const File& FileAt(const std::string& path) const;

  std::vector<std::unique_ptr<Folder>> folders_;  // owns every folder; links point into it
  std::map<char, Folder*> drives_;                // lower-case letter -> root
  std::vector<std::pair<FakeOperation, std::string>> failures_;
  std::vector<std::string> deleted_;
  std::set<std::string> lockedFolders_;
  std::set<std::string> unlockableFolders_;
  int operations_ = 0;
  int failingOperation_ = 0;
  int openFiles_ = 0;
};

}  // namespace zb
