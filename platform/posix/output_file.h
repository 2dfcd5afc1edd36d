#pragma once

#include <sys/stat.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/posix/unique_fd.h"

namespace zb {

// The calls of an output file that tests must be able to make fail or vary.
struct OutputCalls {
  int (*close)(int fd) = ::close;
  // False: write in place, as on a file system without unnamed files.
  bool unnamedFiles = true;
};

// A file written beside its name and put in the name's place only when whole.
// Where the file system has unnamed files (O_TMPFILE) the file is written
// unnamed and renamed over its name at Commit, so a crash or a failure leaves
// the name as it was (a new name holds an empty file meanwhile). Elsewhere it
// is written in place, opened without following links or waiting on pipes.
// Either way a name held by anything but a plain file is refused, never
// written through.
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

  int fd() const { return fd_.get(); }
  const std::string& shown() const { return shown_; }
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
  bool OpenUnnamed(const std::optional<struct stat>& existing);
  void OpenInPlace();
  void LinkOverName();
  [[noreturn]] void Fail(const char* what, int error) const;

  UniqueFd folder_;
  std::string name_;
  std::string shown_;
  OutputCalls calls_;
  UniqueFd fd_;
  bool unnamed_ = false;
};

}  // namespace zb
