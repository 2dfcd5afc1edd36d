#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zb {

// The crash marker's settings file, written before every picture a run
// measures. Two promises shape it:
//
// - Cheap and durable: the file is mapped shared and sized once per run, so
//   a new text is a copy into the page cache, without a system call, and it
//   outlives a killed process as a write would. While a text changes, the
//   file's first byte is NUL, which ends the text for the reader: a process
//   killed mid-copy leaves a marker that reads as clean, never a mix of two
//   paths. The rest of the file is blank lines, which readers skip.
// - Owned by a living run: the writer holds an exclusive advisory lock from
//   its first text to Release(); the kernel drops it with the process. A
//   marker whose owner lives is no crash, and no one else writes over it.
class CrashMarkerFile {
 public:
  explicit CrashMarkerFile(std::string path) : path_(std::move(path)) {}
  ~CrashMarkerFile();
  CrashMarkerFile(const CrashMarkerFile&) = delete;
  CrashMarkerFile& operator=(const CrashMarkerFile&) = delete;

  enum class Ownership { kOwned, kOwnedElsewhere, kUnavailable };
  // Takes the lock, unless another living process holds it; kUnavailable
  // when the file cannot be opened as a regular file.
  Ownership Own();
  bool Owned() const { return fd_ >= 0; }
  // Replaces the text; the owner only. False when the disk has no room.
  bool Write(std::string_view text);
  // Trims the file to its text and lets the lock go.
  void Release();

  // Runs read() while no living process owns the file, holding the owner off
  // meanwhile; false, without running it, while one does.
  static bool UnlessOwned(const std::string& path, const std::function<void()>& read);

 private:
  bool MapAtLeast(std::size_t size);
  void Unmap();

  std::string path_;
  int fd_ = -1;
  char* map_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t length_ = 0;  // of the text; beyond it up to dirty_, leftovers to blank
  std::size_t dirty_ = 0;
};

}  // namespace zb
