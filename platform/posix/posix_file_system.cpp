#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/posix/long_path.h"
#include "platform/posix/posix_ahead_disk.h"
#include "platform/posix/posix_folder_listing.h"
#include "platform/posix/shift_jis_text_file.h"
#include "platform/posix/whole_transfers.h"
#include "text/letter_case.h"
#include "text/url_path.h"
#include "walk_ahead/batched_walk_ahead.h"

namespace zb {
namespace {

[[noreturn]] void Fail(const char* what, const std::string& path, int error) {
  throw FileError(std::string(what) + " " + path + ": " + std::strerror(error));
}

// The last name of a drive path: "C:\pics\.cache\" -> ".cache".
std::string_view LastName(std::string_view path) {
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.remove_suffix(1);
  const std::size_t cut = path.find_last_of("\\/:");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

bool IsHiddenName(std::string_view name) {
  return name.starts_with('.') && name != "." && name != "..";
}

// A host path split into its folder and last name.
std::pair<std::string, std::string> SplitHost(const std::string& host) {
  const std::size_t cut = host.rfind('/');
  if (cut == std::string::npos) return {".", host};
  return {cut == 0 ? "/" : host.substr(0, cut), host.substr(cut + 1)};
}

// The names in an open folder, "." and ".." left out; none when it cannot
// be read.
std::vector<std::string> NamesIn(int folder) {
  std::vector<std::string> names;
  DIR* dir = fdopendir(dup(folder));
  if (dir == nullptr) return names;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  closedir(dir);
  return names;
}

// The file at name when it is a plain file that begins with head, read
// without following a link or opening anything but that file.
std::optional<struct stat> PlainFileBeginning(int folder, const std::string& name,
                                              const std::string& head) {
  const UniqueFd at(openat(folder, name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
  struct stat status;
  if (!at.valid() || fstat(at.get(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  const std::string self = "/proc/self/fd/" + std::to_string(at.get());
  const UniqueFd file(open(self.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  std::string bytes(head.size(), '\0');
  if (!file.valid() ||
      ReadFully(file.get(), reinterpret_cast<std::byte*>(bytes.data()), bytes.size(), 0) !=
          static_cast<ssize_t>(bytes.size()) ||
      bytes != head) {
    return std::nullopt;
  }
  return status;
}

class PosixFolderLock : public FolderLock {
 public:
  explicit PosixFolderLock(UniqueFd folder) : folder_(std::move(folder)) {}

 private:
  UniqueFd folder_;  // the lock lasts as long as this descriptor
};

}  // namespace

std::unique_ptr<FolderListing> PosixFileSystem::ListFolder(const std::string& folder,
                                                           std::uint32_t mask) {
  std::string exactHost;  // stays empty when the path took a second look-up
  const int fd = paths_.Attempt(folder, [&, first = true](const std::string& host) mutable {
    exactHost = first ? host : "";
    first = false;
    return OpenHostPath(host, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  });
  if (fd < 0) return nullptr;
  SetExactFolder(folder, std::move(exactHost));
  return PosixFolderListing::Open(fd, mask);
}

std::optional<std::uint32_t> PosixFileSystem::GetAttributes(const std::string& path) {
  struct stat status;
  bool writable = false;
  const int result = paths_.Attempt(path, [&](const std::string& host) {
    const HostEntry entry(host);
    if (entry.folder() == -1 || fstatat(entry.folder(), entry.name(), &status, 0) != 0) return -1;
    writable = faccessat(entry.folder(), entry.name(), W_OK, AT_EACCESS) == 0;
    return 0;
  });
  if (result != 0) return std::nullopt;
  // The host path has lost the final "\" that only a folder may carry.
  const bool namesFolder = path.ends_with('\\') || path.ends_with('/');
  if (namesFolder && !S_ISDIR(status.st_mode)) return std::nullopt;
  std::uint32_t attributes = S_ISDIR(status.st_mode) ? std::uint32_t{kAttrDirectory} : 0;
  if (!writable) attributes |= kAttrReadOnly;
  if (IsHiddenName(LastName(path))) attributes |= kAttrHidden;
  return attributes;
}

void PosixFileSystem::MakeFolder(const std::string& path) {
  // Resolved first: a folder that exists in another case must not get a twin.
  const std::optional<std::string> host = paths_.Resolve(path);
  if (!host) Fail("Cannot make folder", path, ENOENT);
  const HostEntry entry(*host);
  if (entry.folder() == -1 || mkdirat(entry.folder(), entry.name(), 0777) != 0) {
    Fail("Cannot make folder", path, errno);
  }
  paths_.NoteCreated(*host);
}

void PosixFileSystem::DeleteFile(const std::string& path) {
  const int result = paths_.Attempt(path, [](const std::string& host) {
    const HostEntry entry(host);
    return entry.folder() == -1 ? -1 : unlinkat(entry.folder(), entry.name(), 0);
  });
  if (result != 0) Fail("Cannot delete", path, errno);
}

UniqueFd PosixFileSystem::OpenFolderBelow(const std::string& folder, const std::string& path,
                                          std::string& name) {
  const std::size_t start = folder.size() + (folder.ends_with('\\') ? 0 : 1);
  if (path.size() <= start || path[start - 1] != '\\' ||
      !SameNameIgnoringCase(std::string_view(path).substr(0, folder.size()), folder)) {
    return UniqueFd();
  }
  // The searched folder itself is what the user chose, link or not.
  UniqueFd at(paths_.Attempt(
      folder, [](const std::string& host) { return OpenHostFolder(host).release(); }));
  std::size_t from = start;
  for (std::size_t to; at.valid() && (to = path.find_first_of("\\/", from)) != std::string::npos;
       from = to + 1) {
    const std::string step = path.substr(from, to - from);
    if (step.empty() || step == "." || step == "..") return UniqueFd();
    at = UniqueFd(openat(at.get(), step.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  }
  name = path.substr(from);
  if (name.empty() || name == "." || name == "..") return UniqueFd();
  return at;
}

bool PosixFileSystem::IsPlainFileBelow(const std::string& folder, const std::string& path) {
  std::string name;
  const UniqueFd at = OpenFolderBelow(folder, path, name);
  struct stat status;
  return at.valid() && fstatat(at.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
         S_ISREG(status.st_mode);
}

void PosixFileSystem::DeleteFileBelow(const std::string& folder, const std::string& path) {
  std::string name;
  const UniqueFd at = OpenFolderBelow(folder, path, name);
  struct stat status;
  if (!at.valid() || fstatat(at.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
      !S_ISREG(status.st_mode)) {
    throw NotAPlainFileError(path);
  }
  if (unlinkat(at.get(), name.c_str(), 0) != 0) Fail("Cannot delete", path, errno);
}

int PosixFileSystem::DeleteOwnTextFiles(const std::string& folder,
                                        const std::function<bool(std::string_view)>& picks,
                                        std::string_view firstLine) {
  const UniqueFd at(paths_.Attempt(folder, [](const std::string& host) {
    return OpenHostPath(host, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  }));
  if (!at.valid()) return 0;
  std::string head;
  AppendShiftJis(firstLine, encoding_, head);
  head += "\r\n";
  int deleted = 0;
  for (const std::string& name : NamesIn(at.get())) {
    if (!picks(name)) continue;
    const std::optional<struct stat> own = PlainFileBeginning(at.get(), name, head);
    struct stat now;
    // Still that file: nothing took its name while it was read.
    if (own && fstatat(at.get(), name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 &&
        now.st_dev == own->st_dev && now.st_ino == own->st_ino &&
        unlinkat(at.get(), name.c_str(), 0) == 0) {
      ++deleted;
    }
  }
  return deleted;
}

std::unique_ptr<TextFile> PosixFileSystem::CreateTextFile(const std::string& path) {
  const std::optional<std::string> asGiven = paths_.ToHost(path);
  if (!asGiven) Fail("Cannot create", path, ENOENT);
  std::string host = *asGiven;
  auto [folderPath, name] = SplitHost(host);
  UniqueFd folder = OpenHostFolder(folderPath);
  struct stat status;
  bool exists =
      folder.valid() && fstatat(folder.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0;
  if (!exists && errno == ENOENT) {
    // The folder or the name may exist in another case.
    host = paths_.ResolveHost(host);
    if (host != *asGiven) {
      std::tie(folderPath, name) = SplitHost(host);
      folder = OpenHostFolder(folderPath);
      exists =
          folder.valid() && fstatat(folder.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0;
    }
  }
  if (!folder.valid()) Fail("Cannot create", path, errno);
  auto file = OutputFile::Create(std::move(folder), name, path, calls_);
  if (!exists) paths_.NoteCreated(host);
  // Keeps the case look-ups' index of the folder current, so that new pages
  // beside many pictures need not read the folder again.
  file->OnNamed([this, host] { paths_.NoteCreated(host); });
  return std::make_unique<ShiftJisTextFile>(std::move(file), encoding_);
}

std::unique_ptr<FolderLock> PosixFileSystem::LockFolder(const std::string& folder) {
  // flock needs a descriptor open for reading: O_PATH ones are refused.
  UniqueFd fd(paths_.Attempt(folder, [](const std::string& host) {
    return OpenHostPath(host, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  }));
  if (!fd.valid() && errno != ENOENT && errno != ENOTDIR) throw FolderLockError(folder);
  if (fd.valid() && flock(fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    return nullptr;
  }
  return std::make_unique<PosixFolderLock>(std::move(fd));
}

std::size_t PosixFileSystem::ReadAt(const std::string& path, std::uint64_t offset,
                                    std::span<std::byte> buffer) {
  const int fd = paths_.Attempt(path, [](const std::string& host) {
    return OpenHostPath(host, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  });
  if (fd < 0) Fail("Cannot open", path, errno);
  const ssize_t done = ReadFully(fd, buffer.data(), buffer.size(), static_cast<off_t>(offset));
  const int error = done < 0 ? errno : 0;
  close(fd);
  if (error != 0) Fail("Cannot read", path, error);
  return static_cast<std::size_t>(done);
}

std::unique_ptr<WalkAhead> PosixFileSystem::StartWalkAhead(WalkPlan plan) {
  if (readAheadThreads_ <= 0) return nullptr;
  std::optional<std::string> host = paths_.ToHost(plan.root);
  if (!host) return nullptr;
  // Served folders are the root's path joined with names as listed: spelt
  // as on disk exactly when the root is.
  struct stat status;
  const bool exact = stat(host->c_str(), &status) == 0;
  if (!exact) *host = paths_.ResolveHost(*host);
  return std::make_unique<BatchedWalkAhead>(
      std::move(plan), std::move(*host), readAheadThreads_, std::make_unique<PosixAheadDisk>(),
      [this, exact](const std::string& folder, const std::string& host) {
        SetExactFolder(folder, exact ? host : "");
      });
}

void PosixFileSystem::SetExactFolder(std::string folder, std::string host) {
  if (host.empty()) {
    exactFolder_.clear();
    return;
  }
  exactFolder_ = std::move(folder);
  if (!exactFolder_.ends_with('\\')) exactFolder_ += '\\';
  exactHostFolder_ = std::move(host);
  if (!exactHostFolder_.ends_with('/')) exactHostFolder_ += '/';
}

std::optional<std::string> PosixFileSystem::HostInExactFolder(const std::string& path) const {
  if (exactFolder_.empty() || !path.starts_with(exactFolder_)) return std::nullopt;
  const std::string_view name = std::string_view(path).substr(exactFolder_.size());
  if (name.empty() || name == "." || name == ".." || name.find_first_of("\\/") != name.npos) {
    return std::nullopt;
  }
  return exactHostFolder_ + std::string(name);
}

std::string PosixFileSystem::FileUrl(const std::string& path) {
  // A name that the last listing gave is spelt as on disk already.
  std::optional<std::string> host = HostInExactFolder(path);
  if (!host) host = paths_.Resolve(path);
  if (!host) Fail("No drive for", path, ENOENT);
  std::string url = "file://";
  AppendUrlPath(url, *host, '/');
  return url;
}

}  // namespace zb
