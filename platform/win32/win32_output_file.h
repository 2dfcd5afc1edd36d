#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"
#include "text/shift_jis_code_page.h"

namespace zb {

// The calls of an output file that tests must be able to make fail.
struct Win32OutputCalls {
  decltype(&WriteFile) write = WriteFile;
};

// A text file written beside its name under a temporary name and moved over
// the name at Close, so until then, or when it is destroyed unclosed or
// loses lines, the name keeps what it held. A new name is written in place,
// and goes again unless closed whole. A name taken by a link, a
// junction, a folder or anything not on a disk is refused and left alone.
class Win32OutputFile : public TextFile {
 public:
  // Throws NotAPlainFileError, or FileError when the file cannot be made.
  static std::unique_ptr<Win32OutputFile> Create(const std::string& path,
                                                 ShiftJisCodePage& encoding,
                                                 const Win32OutputCalls& calls);
  // Unclosed: the temporary file goes.
  ~Win32OutputFile() override;
  Win32OutputFile(const Win32OutputFile&) = delete;
  Win32OutputFile& operator=(const Win32OutputFile&) = delete;

  void WriteLine(std::string_view utf8) override;
  void Close() override;

 private:
  Win32OutputFile(std::string shown, std::wstring target, ShiftJisCodePage& encoding,
                  const Win32OutputCalls& calls)
      : shown_(std::move(shown)), target_(std::move(target)), encoding_(encoding), calls_(calls) {}
  // Writes out the buffer; on failure drops it and remembers the error.
  void Flush();
  bool DeleteOnClose(bool deleted);
  // Closes and deletes the temporary file.
  void Discard();

  std::string shown_;
  std::wstring target_;  // long path, spelt as on disk when the name exists
  std::wstring temporary_;
  ShiftJisCodePage& encoding_;
  Win32OutputCalls calls_;
  UniqueHandle file_;
  std::string buffer_;
  DWORD writeError_ = ERROR_SUCCESS;
};

// Whether a listed name is that of a replacement being written, which a
// listing leaves out as POSIX never shows its own.
bool IsReplacementName(std::wstring_view name);

}  // namespace zb
