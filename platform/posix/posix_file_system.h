#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/posix/drive_paths.h"
#include "platform/posix/output_file.h"
#include "platform/posix/shift_jis_encoding.h"
#include "platform/posix/unique_fd.h"
#include "platform/walk_ahead.h"

namespace zb {

// The host's files seen through drive paths, names compared without regard
// to case. Only the calls that need it pay for a case-insensitive look-up.
// Paths longer than the system's limit are reached through their folders.
class PosixFileSystem : public FileSystem {
 public:
  // readAheadThreads: how many threads read pictures ahead of a walk; 0
  // reads nothing ahead.
  PosixFileSystem(DrivePaths& paths, ShiftJisEncoding& encoding, OutputCalls calls = {},
                  int readAheadThreads = 0)
      : paths_(paths), encoding_(encoding), calls_(calls), readAheadThreads_(readAheadThreads) {}

  std::unique_ptr<FolderListing> ListFolder(const std::string& folder, std::uint32_t mask) override;
  // The only place that works out the read-only bit: it costs a call. A path
  // that ends in "\" names a folder only, as on Windows.
  std::optional<std::uint32_t> GetAttributes(const std::string& path) override;
  void MakeFolder(const std::string& path) override;
  void DeleteFile(const std::string& path) override;
  bool IsPlainFileBelow(const std::string& folder, const std::string& path) override;
  void DeleteFileBelow(const std::string& folder, const std::string& path) override;
  // Reads only the first line's bytes of each chosen plain file; a folder
  // that cannot be listed deletes nothing.
  int DeleteOwnTextFiles(const std::string& folder,
                         const std::function<bool(std::string_view)>& picks,
                         std::string_view firstLine) override;
  // An existing file of the name in any case is replaced under its own
  // spelling; else the file is made with the case given.
  std::unique_ptr<TextFile> CreateTextFile(const std::string& path) override;
  // An advisory lock (flock) on the folder's own descriptor, which takes
  // read permission: a folder its owner may not read is refused.
  std::unique_ptr<FolderLock> LockFolder(const std::string& folder) override;
  // Regular files only: a pipe or device named like a picture must not hang
  // the run.
  std::size_t ReadAt(const std::string& path, std::uint64_t offset,
                     std::span<std::byte> buffer) override;
  std::string FileUrl(const std::string& path) override;
  std::unique_ptr<WalkAhead> StartWalkAhead(WalkPlan plan) override;
  std::string SpelledAsOnDisk(const std::string& path) override {
    return paths_.SpelledAsOnDisk(path);
  }

 private:
  // The folder listed last, when its path was spelt as on disk (host: its
  // host path), or none: its entries' paths need no look-up.
  void SetExactFolder(std::string folder, std::string host);
  // The host path of an entry of that folder, made without a look-up.
  std::optional<std::string> HostInExactFolder(const std::string& path) const;
  // The folder holding path's last name (set into name), reached from folder
  // through real folders only; invalid when path is not below folder or a
  // name on the way is a link or no folder.
  UniqueFd OpenFolderBelow(const std::string& folder, const std::string& path, std::string& name);

  DrivePaths& paths_;
  ShiftJisEncoding& encoding_;
  OutputCalls calls_;
  int readAheadThreads_;
  std::string exactFolder_;      // ends in "\\", or empty
  std::string exactHostFolder_;  // ends in "/"
};

}  // namespace zb
