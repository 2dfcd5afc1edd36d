#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/win32/win32_output_file.h"
#include "text/shift_jis_code_page.h"

namespace zb {

// The host's files through the wide API. Drive paths are real paths here;
// paths past MAX_PATH are given to the system in their long form.
class Win32FileSystem : public FileSystem {
 public:
  // encoding: code page 932 for the text files (Win32ShiftJisEncoding).
  explicit Win32FileSystem(ShiftJisCodePage& encoding, Win32OutputCalls calls = {})
      : encoding_(encoding), calls_(calls) {}

  std::unique_ptr<FolderListing> ListFolder(const std::string& folder, std::uint32_t mask) override;
  // A path that ends in "\" names a folder only. A link or junction counts
  // as what it leads to.
  std::optional<std::uint32_t> GetAttributes(const std::string& path) override;
  void MakeFolder(const std::string& path) override;
  void DeleteFile(const std::string& path) override;
  bool IsPlainFileBelow(const std::string& folder, const std::string& path) override;
  // Deletes through the handle that was checked, so nothing that takes the
  // name meanwhile is deleted instead.
  void DeleteFileBelow(const std::string& folder, const std::string& path) override;
  int DeleteOwnTextFiles(const std::string& folder,
                         const std::function<bool(std::string_view)>& picks,
                         std::string_view firstLine) override;
  std::unique_ptr<TextFile> CreateTextFile(const std::string& path) override;
  std::unique_ptr<FolderLock> LockFolder(const std::string& folder) override;
  // Disk files only: a pipe or device named like a picture must not hang
  // the run.
  std::size_t ReadAt(const std::string& path, std::uint64_t offset,
                     std::span<std::byte> buffer) override;
  // "file:///C:/My%20Pics/a.jpg": the path spelt as on disk, percent-encoded
  // as the POSIX host encodes its host paths, so pages read alike.
  std::string FileUrl(const std::string& path) override;
  std::unique_ptr<WalkAhead> StartWalkAhead(WalkPlan plan) override;
  // Drive paths ("C:\...") only; anything else stays as given.
  std::string SpelledAsOnDisk(const std::string& path) override;

 private:
  ShiftJisCodePage& encoding_;
  Win32OutputCalls calls_;
};

}  // namespace zb
