#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/posix/shift_jis_encoding.h"

namespace zb {

// A text file written through a buffer: UTF-8 in, Shift_JIS with CR LF out.
class ShiftJisTextFile : public TextFile {
 public:
  // Takes over an open, writable descriptor; name is used in error messages.
  ShiftJisTextFile(int fd, std::string name, ShiftJisEncoding& encoding);
  // Closes without reporting: the caller that cares calls Close.
  ~ShiftJisTextFile() override;
  ShiftJisTextFile(const ShiftJisTextFile&) = delete;
  ShiftJisTextFile& operator=(const ShiftJisTextFile&) = delete;

  // Throws FileError when a full buffer cannot be written, and at every
  // later line: a file that lost lines stays failed.
  void WriteLine(std::string_view utf8) override;
  // The descriptor is closed even when the flush fails.
  void Close() override;

 private:
  // Writes out the buffer; on failure drops it and remembers the error.
  void Flush();
  [[noreturn]] void Fail(const char* what, int error) const;

  int fd_;
  std::string name_;
  ShiftJisEncoding& encoding_;
  std::string buffer_;
  int writeError_ = 0;
};

}  // namespace zb
