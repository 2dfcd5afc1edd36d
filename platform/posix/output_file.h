#pragma once

#include <sys/stat.h>

#include <cstdint>
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
  // False: write replacements to a temporary name beside the old file, as on
  // a file system without unnamed files.
  bool unnamedFiles = true;
};

// A file that replaces an existing plain file only when whole. The
// replacement is written unnamed (O_TMPFILE) where the file system allows,
// else under a temporary name beside the old file, and renamed over the old
// file at Commit, so a crash or a failure leaves the old file as it was and a
// second (hard) link to it keeps its text. Only a new name, which has nothing
// to keep, is written in place, opened without following links or waiting on
// pipes. Either way a name held by anything but a plain file is refused,
// never written through. While what is written matches the old
// file nothing is written at all: a replacement is opened at the first
// difference and takes the matching bytes from the old file first, and an
// old file that holds exactly what was written is kept, time stamp and all.
class OutputFile {
 public:
  // folder is open (O_PATH will do); name is the last name in it; shown names
  // the file in errors. Throws NotAPlainFileError or FileError.
  static std::unique_ptr<OutputFile> Create(UniqueFd folder, std::string name, std::string shown,
                                            const OutputCalls& calls);
  // Not committed: a replacement vanishes and the old file stays; a new name
  // stays as written.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Called once the file has taken its name, a change to its folder that
  // Create did not make.
  void OnNamed(std::function<void()> named) { named_ = std::move(named); }
  const std::string& shown() const { return shown_; }
  // Appends bytes; 0, or the errno of a write that failed. Throws as Create
  // does when the replacement cannot be opened.
  int Write(std::string_view bytes);
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
  // Whether the old file holds bytes next; false once the replacement is open.
  bool Matches(std::string_view bytes);
  bool OpenOld();
  // Whether the name still holds the old file with exactly the bytes written.
  bool OldIsWhatWasWritten() const;
  // Opens the replacement with the matching bytes in it; 0 or an errno.
  int OpenReplacement();
  bool OpenUnnamed(const struct stat& existing);
  void OpenBeside(const struct stat& existing);
  // False when the name was taken meanwhile.
  bool OpenNew();
  int CopyMatchingBytes();
  void LinkOverName();
  void RenameOverName();
  [[noreturn]] void Fail(const char* what, int error) const;

  UniqueFd folder_;
  std::string name_;
  std::string shown_;
  OutputCalls calls_;
  std::optional<struct stat> existing_;  // the old file, until the new one is opened
  UniqueFd old_;                         // the old file, read while it matches
  std::uint64_t matching_ = 0;           // bytes written so far, all as in the old file
  std::string compared_;                 // the old file's bytes being compared
  UniqueFd fd_;
  bool unnamed_ = false;
  std::string temporary_;  // the replacement's name until it is renamed
  std::function<void()> named_;
};

}  // namespace zb
