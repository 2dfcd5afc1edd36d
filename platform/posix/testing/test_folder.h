#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/posix/drive_table.h"

namespace zb {

// For tests: a fresh folder under the temporary folder, removed afterwards
// with everything in it, and drive C: on it.
class TestFolder {
 public:
  TestFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zorbelle-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::filesystem::filesystem_error("mkdtemp", {});
    path_ = pattern;
  }
  ~TestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string Host(std::string_view relative) const { return path_ + "/" + std::string(relative); }
  // Drive C: is this folder; more entries ("z=/") may follow.
  DriveTable Drives(std::string_view more = {}) const {
    return DriveTable::Parse("c=" + path_ + ";" + std::string(more));
  }

  // Writes a file, making the folders above it.
  std::string Put(std::string_view relative, std::string_view contents = {}) const {
    const std::filesystem::path file = Host(relative);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << contents;
    return file.string();
  }
  std::string MakeFolder(std::string_view relative) const {
    std::filesystem::create_directories(Host(relative));
    return Host(relative);
  }
  std::string Contents(std::string_view relative) const {
    std::ifstream in(Host(relative), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::string path_;
};

}  // namespace zb
