#include "platform/posix/host_path_resolver.h"

#include <dirent.h>

#include <algorithm>
#include <ctime>

#include "text/letter_case.h"

namespace zb {
namespace {

std::uint64_t FoldedHash(std::string_view name) {
  std::uint64_t hash = 0xcbf29ce484222325;  // FNV-1a
  while (!name.empty()) {
    hash ^= TakeFolded(name);
    hash *= 0x100000001b3;
  }
  return hash;
}

std::string Child(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
  return path;
}

bool SameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool Earlier(const timespec& a, const timespec& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

}  // namespace

bool HostPathResolver::FolderIndex::Describes(const struct stat& folder) const {
  return valid && device == folder.st_dev && inode == folder.st_ino &&
         SameTime(modified, folder.st_mtim);
}

std::string HostPathResolver::Resolve(const std::string& path) {
  struct stat status;
  if (path.empty() || path[0] != '/' || lstat(path.c_str(), &status) == 0) return path;

  // Ends of the components: "/a/bc" -> 2, 5.
  std::vector<std::size_t> ends;
  for (std::size_t i = 1; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') ends.push_back(i);
  }
  // The deepest folder that exists as spelt; misses are usually in the last
  // component, so look from the end.
  std::size_t known = ends.size() - 1;
  while (known > 0 && stat(path.substr(0, ends[known - 1]).c_str(), &status) != 0) --known;
  if (known == 0 && stat("/", &status) != 0) return path;

  std::string resolved = path.substr(0, known == 0 ? 0 : ends[known - 1]);
  std::size_t consumed = resolved.size();
  for (std::size_t i = known; i < ends.size() && S_ISDIR(status.st_mode); ++i) {
    const std::string folder = resolved.empty() ? "/" : resolved;
    const std::size_t begin = consumed + 1;
    const std::optional<std::string> found =
        FindEntry(folder, status, std::string_view(path).substr(begin, ends[i] - begin));
    if (!found) break;
    resolved = Child(folder, *found);
    consumed = ends[i];
    if (i + 1 < ends.size() && stat(resolved.c_str(), &status) != 0) break;
  }
  return resolved + path.substr(consumed);
}

std::optional<std::string> HostPathResolver::FindEntry(const std::string& folder,
                                                       const struct stat& folderStat,
                                                       std::string_view name) {
  const std::uint64_t wanted = FoldedHash(name);
  const bool indexed = index_.Describes(folderStat);
  if (indexed && !std::binary_search(index_.names.begin(), index_.names.end(), wanted)) {
    return std::nullopt;
  }
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  std::vector<std::uint64_t> names;
  std::optional<std::string> found;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view entryName = entry->d_name;
    if (entryName == "." || entryName == "..") continue;
    const std::uint64_t hash = FoldedHash(entryName);
    if (!indexed) names.push_back(hash);
    if (!found && hash == wanted && SameNameIgnoringCase(entryName, name)) {
      found = std::string(entryName);
      if (indexed) break;
    }
  }
  struct stat after;
  // A folder that changed while it was read is not remembered, nor one whose
  // time stamp the next change could repeat: stamps come from a coarse clock.
  timespec now;
  if (!indexed && fstat(dirfd(dir), &after) == 0 && SameTime(after.st_mtim, folderStat.st_mtim) &&
      clock_gettime(CLOCK_REALTIME_COARSE, &now) == 0 && Earlier(folderStat.st_mtim, now)) {
    std::sort(names.begin(), names.end());
    index_ = {folderStat.st_dev, folderStat.st_ino, folderStat.st_mtim, std::move(names), true};
  }
  closedir(dir);
  return found;
}

// Trusts that nothing but this entry changed the folder since it was read.
void HostPathResolver::NoteCreated(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (!index_.valid || slash == std::string::npos) return;
  struct stat folder;
  const std::string folderPath = slash == 0 ? "/" : path.substr(0, slash);
  if (stat(folderPath.c_str(), &folder) != 0 || folder.st_dev != index_.device ||
      folder.st_ino != index_.inode) {
    return;
  }
  const std::uint64_t hash = FoldedHash(std::string_view(path).substr(slash + 1));
  const auto at = std::lower_bound(index_.names.begin(), index_.names.end(), hash);
  if (at == index_.names.end() || *at != hash) index_.names.insert(at, hash);
  index_.modified = folder.st_mtim;
}

}  // namespace zb
