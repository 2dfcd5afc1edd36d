#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/win32/windows_api.h"

namespace zb {

// One pass over a folder, read as the system hands out batches. "." and ".."
// come first, at a drive root too, where Windows gives neither.
class Win32FolderListing : public FolderListing {
 public:
  // Null when folder (a drive path) is no folder that can be listed.
  static std::unique_ptr<Win32FolderListing> Open(const std::string& folder, std::uint32_t mask);
  ~Win32FolderListing() override;
  Win32FolderListing(const Win32FolderListing&) = delete;
  Win32FolderListing& operator=(const Win32FolderListing&) = delete;

  bool Next(FolderEntry& entry) override;
  FolderId Id() const override { return id_; }

 private:
  Win32FolderListing(std::wstring folder, std::uint32_t mask, FolderId id)
      : folder_(std::move(folder)), mask_(mask), id_(id) {}
  // The found entry's attributes, what a link or junction leads to standing
  // for it; empty when that cannot be reached.
  std::optional<std::uint32_t> AttributesOfFound() const;

  std::wstring folder_;  // long path, ending in "\"
  std::uint32_t mask_;
  FolderId id_;
  HANDLE find_ = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAW found_{};
  bool pending_ = false;  // found_ holds an entry not given yet
  int dotsGiven_ = 0;
};

}  // namespace zb
