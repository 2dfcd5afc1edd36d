#include "platform/posix/long_path.h"

#include <limits.h>

#include <cerrno>

namespace zb {
namespace {

constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

}  // namespace

UniqueFd OpenHostFolder(const std::string& folder) {
  if (folder.size() < PATH_MAX || folder.empty() || folder[0] != '/') {
    return UniqueFd(open(folder.c_str(), kFolderFlags));
  }
  UniqueFd at(open("/", kFolderFlags));
  std::size_t start = 1;
  while (at.valid() && start < folder.size()) {
    // The longest run of whole names that fits the limit.
    std::size_t end = folder.size();
    if (end - start >= PATH_MAX) {
      end = folder.rfind('/', start + PATH_MAX - 1);
      if (end == std::string::npos || end <= start) {
        errno = ENAMETOOLONG;
        return UniqueFd();
      }
    }
    at = UniqueFd(openat(at.get(), folder.substr(start, end - start).c_str(), kFolderFlags));
    start = end + 1;
  }
  return at;
}

int OpenHostPath(const std::string& path, int flags) {
  const HostEntry entry(path);
  return entry.folder() == -1 ? -1 : openat(entry.folder(), entry.name(), flags);
}

bool StatHostPath(const std::string& path, struct stat& st) {
  const HostEntry entry(path);
  return entry.folder() != -1 && fstatat(entry.folder(), entry.name(), &st, 0) == 0;
}

HostEntry::HostEntry(const std::string& path) : name_(path) {
  if (path.size() < PATH_MAX) return;
  const std::size_t cut = path.rfind('/');
  if (cut == std::string::npos) return;
  owned_ = OpenHostFolder(cut == 0 ? "/" : path.substr(0, cut));
  folder_ = owned_.valid() ? owned_.get() : -1;
  name_ = path.substr(cut + 1);
}

}  // namespace zb
