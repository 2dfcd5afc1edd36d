#include "platform/posix/shift_jis_text_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/utf8_reader.h"

namespace zb {
namespace {

constexpr std::size_t kBufferSize = std::size_t{64} * 1024;

}  // namespace

ShiftJisTextFile::ShiftJisTextFile(int fd, std::string name, ShiftJisEncoding& encoding)
    : fd_(fd), name_(std::move(name)), encoding_(encoding) {
  buffer_.reserve(kBufferSize + 1024);
}

ShiftJisTextFile::~ShiftJisTextFile() {
  if (fd_ < 0) return;
  Flush();
  close(fd_);
}

void ShiftJisTextFile::WriteLine(std::string_view utf8) {
  if (fd_ < 0) Fail("Write after close", EBADF);
  if (writeError_ != 0) Fail("Write", writeError_);
  while (!utf8.empty()) {
    std::size_t ascii = 0;
    while (ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80) ++ascii;
    buffer_.append(utf8.data(), ascii);
    utf8.remove_prefix(ascii);
    if (utf8.empty()) break;
    if (const std::optional<char32_t> code = TakeCodePoint(utf8)) {
      encoding_.Append(*code, buffer_);
    } else {
      buffer_ += '?';
    }
  }
  buffer_ += "\r\n";
  if (buffer_.size() < kBufferSize) return;
  Flush();
  if (writeError_ != 0) Fail("Write", writeError_);
}

void ShiftJisTextFile::Close() {
  if (fd_ < 0) return;
  Flush();
  int error = writeError_;
  const char* what = "Write";
  if (close(fd_) != 0 && error == 0) {
    error = errno;
    what = "Close";
  }
  fd_ = -1;
  if (error != 0) Fail(what, error);
}

void ShiftJisTextFile::Flush() {
  std::size_t written = 0;
  while (writeError_ == 0 && written < buffer_.size()) {
    const ssize_t n = write(fd_, buffer_.data() + written, buffer_.size() - written);
    if (n > 0) {
      written += static_cast<std::size_t>(n);
    } else if (n == 0 || errno != EINTR) {
      writeError_ = n == 0 ? EIO : errno;
    }
  }
  buffer_.clear();
}

void ShiftJisTextFile::Fail(const char* what, int error) const {
  throw FileError(std::string(what) + " failed: " + name_ + ": " + std::strerror(error));
}

}  // namespace zb
