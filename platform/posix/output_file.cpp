#include "platform/posix/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "platform/file_system.h"
#include "platform/posix/read_fully.h"

namespace zb {
namespace {

constexpr int kLinkAttempts = 100;

// A hidden name for the moment between linking and renaming.
std::string TemporaryName() {
  static std::random_device random;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string name = ".zorbelle-";
  for (int i = 0; i < 4; ++i) {
    const unsigned bits = random();
    for (int shift = 0; shift < 32; shift += 4) name += kHex[(bits >> shift) & 0xF];
  }
  return name;
}

}  // namespace

std::unique_ptr<OutputFile> OutputFile::Create(UniqueFd folder, std::string name, std::string shown,
                                               const OutputCalls& calls) {
  std::unique_ptr<OutputFile> file(
      new OutputFile(std::move(folder), std::move(name), std::move(shown), calls));
  const std::optional<struct stat> existing = file->PlainFileAtName();
  // A page its owner made read-only stays as it is.
  if (existing && faccessat(file->folder_.get(), file->name_.c_str(), W_OK, AT_EACCESS) != 0) {
    file->Fail("Cannot create", errno);
  }
  file->existing_ = existing;
  // A new name has nothing to keep: it is written in place.
  if (!existing) file->OpenInPlace();
  return file;
}

int OutputFile::fd() {
  if (fd_.valid()) return fd_.get();
  if (!(calls_.unnamedFiles && OpenUnnamed(*existing_))) OpenInPlace();
  existing_.reset();
  return fd_.get();
}

bool OutputFile::KeepIfHolding(std::string_view bytes) {
  kept_ = existing_ && Holds(bytes);
  return kept_;
}

bool OutputFile::Holds(std::string_view bytes) const {
  if (static_cast<std::uint64_t>(existing_->st_size) != bytes.size()) return false;
  // Read through a descriptor that is known to be the same plain file, so no
  // link is followed and no device or pipe is opened for reading.
  const UniqueFd at(openat(folder_.get(), name_.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
  struct stat now;
  if (!at.valid() || fstat(at.get(), &now) != 0 || !S_ISREG(now.st_mode) ||
      now.st_dev != existing_->st_dev || now.st_ino != existing_->st_ino ||
      now.st_size != existing_->st_size) {
    return false;
  }
  const std::string self = "/proc/self/fd/" + std::to_string(at.get());
  const UniqueFd file(open(self.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!file.valid()) return false;
  // One byte more than expected tells a file that grew since.
  std::string held(bytes.size() + 1, '\0');
  const ssize_t got =
      ReadFully(file.get(), reinterpret_cast<std::byte*>(held.data()), held.size(), 0);
  return got == static_cast<ssize_t>(bytes.size()) &&
         std::string_view(held).substr(0, bytes.size()) == bytes;
}

void OutputFile::Commit() {
  if (kept_) return;
  fd();
  if (unnamed_) {
    LinkOverName();
    if (named_) named_();
  }
  if (calls_.close(fd_.release()) != 0) Fail("Close failed", errno);
}

std::optional<struct stat> OutputFile::PlainFileAtName() const {
  struct stat status;
  if (fstatat(folder_.get(), name_.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
    if (errno == ENOENT) return std::nullopt;
    Fail("Cannot create", errno);
  }
  if (!S_ISREG(status.st_mode)) throw NotAPlainFileError(shown_);
  return status;
}

bool OutputFile::OpenUnnamed(const struct stat& existing) {
  // Naming an unnamed file later goes through /proc.
  static const bool canName = access("/proc/self/fd", X_OK) == 0;
  if (!canName) return false;
  fd_ = UniqueFd(openat(folder_.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
  if (!fd_.valid()) return false;
  // The replacement keeps the permissions its owner gave the page.
  fchmod(fd_.get(), existing.st_mode & 07777);
  unnamed_ = true;
  return true;
}

void OutputFile::OpenInPlace() {
  fd_ = UniqueFd(openat(folder_.get(), name_.c_str(),
                        O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
  // A link, pipe or folder that took the name since it was looked at.
  if (!fd_.valid() && (errno == ELOOP || errno == ENXIO || errno == EISDIR)) {
    throw NotAPlainFileError(shown_);
  }
  if (!fd_.valid()) Fail("Cannot create", errno);
  struct stat opened;
  if (fstat(fd_.get(), &opened) != 0) Fail("Cannot create", errno);
  if (!S_ISREG(opened.st_mode)) throw NotAPlainFileError(shown_);
  // Emptied only once known to be a plain file.
  if (ftruncate(fd_.get(), 0) != 0) Fail("Cannot create", errno);
}

void OutputFile::LinkOverName() {
  const std::string self = "/proc/self/fd/" + std::to_string(fd_.get());
  if (linkat(AT_FDCWD, self.c_str(), folder_.get(), name_.c_str(), AT_SYMLINK_FOLLOW) == 0) return;
  if (errno != EEXIST) Fail("Cannot write", errno);
  PlainFileAtName();
  // Linked beside the name and renamed over it, so the name never goes missing.
  for (int attempt = 0; attempt < kLinkAttempts; ++attempt) {
    const std::string temporary = TemporaryName();
    if (linkat(AT_FDCWD, self.c_str(), folder_.get(), temporary.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      if (errno == EEXIST) continue;
      Fail("Cannot write", errno);
    }
    if (renameat(folder_.get(), temporary.c_str(), folder_.get(), name_.c_str()) == 0) return;
    const int error = errno;
    unlinkat(folder_.get(), temporary.c_str(), 0);
    Fail("Cannot write", error);
  }
  Fail("Cannot write", EEXIST);
}

void OutputFile::Fail(const char* what, int error) const {
  throw FileError(std::string(what) + ": " + shown_ + ": " + std::strerror(error));
}

}  // namespace zb
