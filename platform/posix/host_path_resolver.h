#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zb {

// Finds host entries whatever the letter case of the path, as Windows does.
class HostPathResolver {
 public:
  // Takes an absolute host path without "." or ".." and returns it with every
  // entry that exists spelt as on disk; the entries that do not exist keep
  // the case given, so that a new entry is made as the caller spelt it.
  // The path as given is tried first: it is the usual case and costs one call.
  std::string Resolve(const std::string& path);
  // An entry was just made or replaced: keeps the remembered folder index
  // up to date.
  void NoteCreated(const std::string& path);

 private:
  // The folded names of one folder, so that repeated misses in a big folder
  // (new pages beside 100,000 pictures) need not read the folder each time.
  struct FolderIndex {
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    std::vector<std::uint64_t> names;  // sorted hashes of folded names
    bool valid = false;
    bool Describes(const struct stat& folder) const;
  };

  std::optional<std::string> FindEntry(const std::string& folder, const struct stat& folderStat,
                                       std::string_view name);

  FolderIndex index_;
};

}  // namespace zb
