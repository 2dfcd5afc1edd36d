#pragma once

#include <dirent.h>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>

#include "platform/file_system.h"

namespace zb {

// One pass over an open folder, read as it goes: a folder of 100,000
// entries is never held in memory. "." and ".." come first.
class PosixFolderListing : public FolderListing {
 public:
  // Takes over fd, an open folder; null when it cannot be read.
  static std::unique_ptr<PosixFolderListing> Open(int fd, std::uint32_t mask);
  ~PosixFolderListing() override;
  PosixFolderListing(const PosixFolderListing&) = delete;
  PosixFolderListing& operator=(const PosixFolderListing&) = delete;

  bool Next(FolderEntry& entry) override;
  FolderId Id() const override { return id_; }
  // The folder's time stamp when it was opened.
  const timespec& Modified() const { return modified_; }
  // Whether the entry last given is a plain file (through a link, if one):
  // only such files are worth reading ahead; a pipe or device is not opened.
  bool LastIsPlainFile() const { return lastPlain_; }

 private:
  PosixFolderListing(int fd, std::uint32_t mask, FolderId id, timespec modified)
      : fd_(fd), mask_(mask), id_(id), modified_(modified) {}
  // The next raw entry; null at the end or when the folder cannot be read.
  const dirent64* NextRaw();
  // Attributes as the entry's type tells them; stat only for links and
  // entries of unknown type. Empty when a link leads nowhere.
  std::optional<std::uint32_t> AttributesOf(const dirent64& entry);

  // Entries are read straight from the folder: a DIR would cost three more
  // calls to the system for every folder of the walk.
  static constexpr std::size_t kBufferBytes = 32 * 1024;
  int fd_;
  std::unique_ptr<std::byte[]> buffer_;
  std::size_t filled_ = 0;
  std::size_t at_ = 0;
  std::uint32_t mask_;
  FolderId id_;
  timespec modified_;
  int dotsGiven_ = 0;
  bool lastPlain_ = false;
};

}  // namespace zb
