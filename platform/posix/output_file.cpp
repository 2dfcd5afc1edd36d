#include "platform/posix/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

#include "platform/file_system.h"
#include "platform/posix/whole_transfers.h"

namespace zb {
namespace {

constexpr int kNameAttempts = 100;

// A hidden name for a replacement until it is renamed over the old file.
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

// 0, or the errno of the write that failed.
int WriteOut(int fd, const char* data, std::size_t size) {
  errno = 0;
  if (WriteFully(fd, data, size)) return 0;
  return errno != 0 ? errno : EIO;
}

}  // namespace

std::unique_ptr<OutputFile> OutputFile::Create(UniqueFd folder, std::string name, std::string shown,
                                               const OutputCalls& calls) {
  std::unique_ptr<OutputFile> file(
      new OutputFile(std::move(folder), std::move(name), std::move(shown), calls));
  std::optional<struct stat> existing = file->PlainFileAtName();
  // A new name has nothing to keep: it is written in place.
  if (!existing && file->OpenNew()) return file;
  if (!existing && !(existing = file->PlainFileAtName())) file->Fail("Cannot create", EEXIST);
  // A page its owner made read-only stays as it is.
  if (faccessat(file->folder_.get(), file->name_.c_str(), W_OK, AT_EACCESS) != 0) {
    file->Fail("Cannot create", errno);
  }
  file->existing_ = existing;
  return file;
}

OutputFile::~OutputFile() {
  if (!temporary_.empty()) unlinkat(folder_.get(), temporary_.c_str(), 0);
}

int OutputFile::Write(std::string_view bytes) {
  if (!fd_.valid()) {
    if (Matches(bytes)) {
      matching_ += bytes.size();
      return 0;
    }
    if (const int error = OpenReplacement()) return error;
  }
  return WriteOut(fd_.get(), bytes.data(), bytes.size());
}

bool OutputFile::Matches(std::string_view bytes) {
  if (!existing_ || matching_ + bytes.size() > static_cast<std::uint64_t>(existing_->st_size)) {
    return false;
  }
  if (bytes.empty()) return true;
  if (!old_.valid() && !OpenOld()) return false;
  // Grown only: clearing it afresh for every write cost as much as the compare.
  if (compared_.size() < bytes.size()) compared_.resize(bytes.size());
  const ssize_t got = ReadFully(old_.get(), reinterpret_cast<std::byte*>(compared_.data()),
                                bytes.size(), static_cast<off_t>(matching_));
  return got == static_cast<ssize_t>(bytes.size()) &&
         std::string_view(compared_).substr(0, bytes.size()) == bytes;
}

bool OutputFile::OpenOld() {
  // Read through a descriptor that is known to be the same plain file, so no
  // link is followed and no device or pipe is opened for reading.
  const UniqueFd at(openat(folder_.get(), name_.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
  struct stat now;
  if (!at.valid() || fstat(at.get(), &now) != 0 || !S_ISREG(now.st_mode) ||
      now.st_dev != existing_->st_dev || now.st_ino != existing_->st_ino) {
    return false;
  }
  const std::string self = "/proc/self/fd/" + std::to_string(at.get());
  old_ = UniqueFd(open(self.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  return old_.valid();
}

bool OutputFile::OldIsWhatWasWritten() const {
  const std::optional<struct stat> now = PlainFileAtName();
  return now && now->st_dev == existing_->st_dev && now->st_ino == existing_->st_ino &&
         static_cast<std::uint64_t>(now->st_size) == matching_;
}

int OutputFile::OpenReplacement() {
  const struct stat existing = *existing_;
  existing_.reset();
  if (!(calls_.unnamedFiles && OpenUnnamed(existing))) OpenBeside(existing);
  const int error = CopyMatchingBytes();
  old_.Reset();
  compared_ = std::string();
  return error;
}

int OutputFile::CopyMatchingBytes() {
  compared_.resize(std::min<std::uint64_t>(matching_, std::uint64_t{64} * 1024));
  for (std::uint64_t copied = 0; copied < matching_;) {
    const std::size_t size = std::min<std::uint64_t>(compared_.size(), matching_ - copied);
    const ssize_t got = ReadFully(old_.get(), reinterpret_cast<std::byte*>(compared_.data()), size,
                                  static_cast<off_t>(copied));
    // The old file shrank since it was compared.
    if (got != static_cast<ssize_t>(size)) return got < 0 ? errno : EIO;
    if (const int error = WriteOut(fd_.get(), compared_.data(), size)) return error;
    copied += size;
  }
  return 0;
}

void OutputFile::Commit() {
  if (!fd_.valid()) {
    if (OldIsWhatWasWritten()) return;
    if (const int error = OpenReplacement()) Fail("Write failed", error);
  }
  const bool replacement = unnamed_ || !temporary_.empty();
  if (unnamed_) LinkOverName();
  if (calls_.close(fd_.release()) != 0) Fail("Close failed", errno);
  // Closed first: a replacement that failed to close is never renamed.
  if (!temporary_.empty()) RenameOverName();
  if (replacement && named_) named_();
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

void OutputFile::OpenBeside(const struct stat& existing) {
  for (int attempt = 0; attempt < kNameAttempts && !fd_.valid(); ++attempt) {
    std::string temporary = TemporaryName();
    fd_ = UniqueFd(openat(folder_.get(), temporary.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (fd_.valid()) {
      temporary_ = std::move(temporary);
    } else if (errno != EEXIST) {
      Fail("Cannot create", errno);
    }
  }
  if (!fd_.valid()) Fail("Cannot create", EEXIST);
  fchmod(fd_.get(), existing.st_mode & 07777);
}

bool OutputFile::OpenNew() {
  // O_EXCL opens nothing that exists, not even through a link.
  fd_ = UniqueFd(openat(folder_.get(), name_.c_str(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (fd_.valid()) return true;
  if (errno != EEXIST) Fail("Cannot create", errno);
  return false;
}

void OutputFile::LinkOverName() {
  const std::string self = "/proc/self/fd/" + std::to_string(fd_.get());
  if (linkat(AT_FDCWD, self.c_str(), folder_.get(), name_.c_str(), AT_SYMLINK_FOLLOW) == 0) return;
  if (errno != EEXIST) Fail("Cannot write", errno);
  PlainFileAtName();
  // Linked beside the name and renamed over it, so the name never goes missing.
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
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

void OutputFile::RenameOverName() {
  PlainFileAtName();  // a link or pipe that took the name meanwhile stays
  if (renameat(folder_.get(), temporary_.c_str(), folder_.get(), name_.c_str()) != 0) {
    Fail("Cannot write", errno);
  }
  temporary_.clear();
}

void OutputFile::Fail(const char* what, int error) const {
  throw FileError(std::string(what) + ": " + shown_ + ": " + std::strerror(error));
}

}  // namespace zb
