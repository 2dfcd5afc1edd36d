#pragma once

#include <sys/stat.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/unique_fd.h"

namespace zb {

// The calls of an output file that tests must be able to make fail or vary.
struct OutputCalls {
  int (*close)(int fd) = ::close;
  // False: write in place, as on a file system without unnamed files.
  bool unnamedFiles = true;
};

// A file that replaces an existing plain file only when whole. Where the file
// system has unnamed files (O_TMPFILE) the replacement is written unnamed and
// renamed over the old file at Commit, so a crash or a failure leaves the old
// file as it was. A new name, which has nothing to keep, and any name on other
// file systems are written in place, opened without following links or
// waiting on pipes. Either way a name held by anything but a plain file is
// refused, never written through. A replacement is opened at its first
// write, so that one found to hold the old bytes exactly is never written.
class OutputFile {
 public:
  // folder is open (O_PATH will do); name is the last name in it; shown names
  // the file in errors. Throws NotAPlainFileError or FileError.
  static std::unique_ptr<OutputFile> Create(UniqueFd folder, std::string name, std::string shown,
                                            const OutputCalls& calls);
  // Not committed: an unnamed file vanishes, a file in place stays as written.
  ~OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Called once the file has taken its name, a change to its folder that
  // Create did not make.
  void OnNamed(std::function<void()> named) { named_ = std::move(named); }
  // Opens the file if not yet open; throws as Create does.
  int fd();
  const std::string& shown() const { return shown_; }
  // Before the first write: whether the old file, still in its place, holds
  // exactly bytes. If so it is kept as it is, time stamp and all, and Commit
  // has nothing to do.
  bool KeepIfHolding(std::string_view bytes);
  // Puts the file in its name's place and closes it; FileError on failure.
  void Commit();

 private:
  OutputFile(UniqueFd folder, std::string name, std::string shown, const OutputCalls& calls)
      : folder_(std::move(folder)),
        name_(std::move(name)),
        shown_(std::move(shown)),
        calls_(calls) {}
  // What the name holds now; empty when nothing. Refuses anything but a
  // plain file.
  std::optional<struct stat> PlainFileAtName() const;
  bool Holds(std::string_view bytes) const;
  bool OpenUnnamed(const struct stat& existing);
  void OpenInPlace();
  void LinkOverName();
  [[noreturn]] void Fail(const char* what, int error) const;

  UniqueFd folder_;
  std::string name_;
  std::string shown_;
  OutputCalls calls_;
  std::optional<struct stat> existing_;  // the old file, until the new one is opened
  UniqueFd fd_;
  bool unnamed_ = false;
  bool kept_ = false;
  std::function<void()> named_;
};

}  // namespace zb
