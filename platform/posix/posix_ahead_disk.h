#pragma once

#include "walk_ahead/ahead_disk.h"

namespace zb {

// Reading ahead on POSIX: folders listed as the file system lists them,
// heads read first from the page cache alone to tell whether the disk is
// waited on. Pipes and devices are never opened.
class PosixAheadDisk final : public AheadDisk {
 public:
  std::unique_ptr<AheadFolder> List(const std::string& host, std::uint32_t mask) override;
  std::string ChildOf(const std::string& host, std::string_view name) const override;
  bool Unchanged(const std::string& host, const FolderId& id, const FolderStamp& stamp) override;
  bool ReadHeads(const std::string& host, std::span<AheadItem> items, std::size_t heads,
                 std::byte* into, std::size_t stride, std::string& path) override;
  void NameThread(const char* name) override;
};

}  // namespace zb
