#include "platform/win32/win32_output_file.h"

#include <random>

#include "platform/win32/long_path.h"
#include "platform/win32/win32_entry.h"
#include "platform/win32/win32_file_error.h"

namespace zb {
namespace {

constexpr std::size_t kBufferSize = std::size_t{64} * 1024;
constexpr int kNameAttempts = 100;

constexpr std::wstring_view kTemporaryPrefix = L".zorbelle-";
constexpr std::size_t kTemporaryDigits = 32;
constexpr wchar_t kHex[] = L"0123456789abcdef";

// The name a replacement has until it is moved over its name, as the POSIX
// host names its own: a dot name that no page or picture name matches.
std::wstring TemporaryName() {
  static std::random_device random;
  std::wstring name(kTemporaryPrefix);
  for (std::size_t i = 0; i < kTemporaryDigits / 8; ++i) {
    const unsigned bits = random();
    for (int shift = 0; shift < 32; shift += 4) name += kHex[(bits >> shift) & 0xF];
  }
  return name;
}

// Refuses a name taken by anything but a plain file that may be written;
// false when nothing has it.
bool PlainFileAt(const std::wstring& target, const std::string& shown) {
  const UniqueHandle entry = OpenEntry(target, FILE_READ_ATTRIBUTES,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
  if (!entry) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return false;
    ThrowFileError("Cannot create", shown, error);
  }
  if (KindOf(entry.get(), target) != EntryKind::kPlainFile) throw NotAPlainFileError(shown);
  return true;
}

}  // namespace

bool IsReplacementName(std::wstring_view name) {
  return name.size() == kTemporaryPrefix.size() + kTemporaryDigits &&
         name.starts_with(kTemporaryPrefix) &&
         name.find_first_not_of(kHex, kTemporaryPrefix.size()) == std::wstring_view::npos;
}

std::unique_ptr<Win32OutputFile> Win32OutputFile::Create(const std::string& path,
                                                         ShiftJisCodePage& encoding,
                                                         const Win32OutputCalls& calls) {
  std::wstring target = LongPathOf(path);
  const std::size_t cut = target.rfind(L'\\');
  WIN32_FIND_DATAW found;
  if (PlainFileAt(target, path) && ListedEntry(target, found)) {
    // A page its owner made read-only stays as it is.
    if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
      ThrowFileError("Cannot create", path, ERROR_ACCESS_DENIED);
    }
    // Replaced under the spelling it has.
    target = target.substr(0, cut + 1) + found.cFileName;
  }
  const bool taken = PlainFileAt(target, path);
  std::unique_ptr<Win32OutputFile> file(
      new Win32OutputFile(path, std::move(target), encoding, calls));
  // A new name has nothing to keep: it is written in place, and seen there
  // by a walk of its folder meanwhile, as on the other systems.
  if (!taken) {
    file->file_.reset(CreateFileW(file->target_.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ,
                                  nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file->file_ && GetLastError() != ERROR_FILE_EXISTS) {
      ThrowFileError("Cannot create", path, GetLastError());
    }
    if (!file->file_) PlainFileAt(file->target_, path);  // taken meanwhile: by what?
  }
  for (int attempt = 0; attempt < kNameAttempts && !file->file_; ++attempt) {
    std::wstring temporary = file->target_.substr(0, cut + 1) + TemporaryName();
    file->file_.reset(CreateFileW(temporary.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file->file_) {
      file->temporary_ = std::move(temporary);
    } else if (GetLastError() != ERROR_FILE_EXISTS) {
      ThrowFileError("Cannot create", path, GetLastError());
    }
  }
  if (!file->file_) ThrowFileError("Cannot create", path, ERROR_FILE_EXISTS);
  // Until Close the file goes with its handle, so a run that is killed
  // leaves none behind.
  file->DeleteOnClose(true);
  file->buffer_.reserve(kBufferSize + 1024);
  return file;
}

Win32OutputFile::~Win32OutputFile() { Discard(); }

void Win32OutputFile::WriteLine(std::string_view utf8) {
  if (!file_) ThrowFileError("Write after close", shown_, ERROR_INVALID_HANDLE);
  if (writeError_ != ERROR_SUCCESS) ThrowFileError("Write failed", shown_, writeError_);
  AppendShiftJis(utf8, encoding_, buffer_);
  buffer_ += "\r\n";
  if (buffer_.size() < kBufferSize) return;
  Flush();
  if (writeError_ != ERROR_SUCCESS) ThrowFileError("Write failed", shown_, writeError_);
}

void Win32OutputFile::Close() {
  if (!file_) return;
  Flush();
  DWORD error = writeError_;
  if (error == ERROR_SUCCESS && !FlushFileBuffers(file_.get())) error = GetLastError();
  if (error == ERROR_SUCCESS && !DeleteOnClose(false)) error = GetLastError();
  // Closed first: the move needs the file shut.
  if (!CloseHandle(file_.release()) && error == ERROR_SUCCESS) error = GetLastError();
  if (error != ERROR_SUCCESS) {
    Discard();
    ThrowFileError("Write failed", shown_, error);
  }
  if (temporary_.empty()) return;  // written in place
  try {
    PlainFileAt(target_, shown_);  // a link that took the name meanwhile stays
  } catch (const FileError&) {
    Discard();
    throw;
  }
  if (!MoveFileExW(temporary_.c_str(), target_.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
    Discard();
    ThrowFileError("Cannot write", shown_, error);
  }
  temporary_.clear();
}

void Win32OutputFile::Flush() {
  const char* data = buffer_.data();
  for (std::size_t left = buffer_.size(); left > 0 && writeError_ == ERROR_SUCCESS;) {
    DWORD done = 0;
    if (!calls_.write(file_.get(), data, static_cast<DWORD>(left), &done, nullptr)) {
      writeError_ = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_WRITE_FAULT;
    } else if (done == 0) {
      writeError_ = ERROR_WRITE_FAULT;
    }
    data += done;
    left -= done;
  }
  buffer_.clear();
}

bool Win32OutputFile::DeleteOnClose(bool deleted) {
  FILE_DISPOSITION_INFO dispose{static_cast<BOOLEAN>(deleted)};
  return SetFileInformationByHandle(file_.get(), FileDispositionInfo, &dispose, sizeof dispose);
}

void Win32OutputFile::Discard() {
  file_.reset();
  if (!temporary_.empty()) DeleteFileW(temporary_.c_str());
  temporary_.clear();
}

}  // namespace zb
