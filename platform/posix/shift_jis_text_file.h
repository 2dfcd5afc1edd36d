#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/posix/output_file.h"
#include "platform/posix/shift_jis_encoding.h"

namespace zb {

// A text file written through a buffer: UTF-8 in, Shift_JIS with CR LF out.
class ShiftJisTextFile : public TextFile {
 public:
  ShiftJisTextFile(std::unique_ptr<OutputFile> file, ShiftJisEncoding& encoding);
  // Not closed: the file does not take its name's place.
  ~ShiftJisTextFile() override = default;
  ShiftJisTextFile(const ShiftJisTextFile&) = delete;
  ShiftJisTextFile& operator=(const ShiftJisTextFile&) = delete;

  // Throws FileError when a full buffer cannot be written, and at every
  // later line: a file that lost lines stays failed.
  void WriteLine(std::string_view utf8) override;
  // A file that lost lines is not put in its name's place. Closed either way.
  void Close() override;

 private:
  // Writes out the buffer; on failure drops it and remembers the error.
  void Flush();
  [[noreturn]] void Fail(const char* what, int error) const;

  std::unique_ptr<OutputFile> file_;
  std::string shown_;
  ShiftJisEncoding& encoding_;
  std::string buffer_;
  int writeError_ = 0;
};

}  // namespace zb
