#include "platform/posix/shift_jis_text_file.h"

#include <cerrno>
#include <cstring>

namespace zb {
namespace {

constexpr std::size_t kBufferSize = std::size_t{64} * 1024;

}  // namespace

ShiftJisTextFile::ShiftJisTextFile(std::unique_ptr<OutputFile> file, ShiftJisEncoding& encoding)
    : file_(std::move(file)), shown_(file_->shown()), encoding_(encoding) {
  buffer_.reserve(kBufferSize + 1024);
}

void ShiftJisTextFile::WriteLine(std::string_view utf8) {
  if (!file_) Fail("Write after close", EBADF);
  if (writeError_ != 0) Fail("Write", writeError_);
  AppendShiftJis(utf8, encoding_, buffer_);
  buffer_ += "\r\n";
  if (buffer_.size() < kBufferSize) return;
  Flush();
  if (writeError_ != 0) Fail("Write", writeError_);
}

void ShiftJisTextFile::Close() {
  if (!file_) return;
  Flush();
  const std::unique_ptr<OutputFile> closing = std::move(file_);
  if (writeError_ != 0) Fail("Write", writeError_);
  closing->Commit();
}

void ShiftJisTextFile::Flush() {
  if (writeError_ == 0) writeError_ = file_->Write(buffer_);
  buffer_.clear();
}

void ShiftJisTextFile::Fail(const char* what, int error) const {
  throw FileError(std::string(what) + " failed: " + shown_ + ": " + std::strerror(error));
}

}  // namespace zb
