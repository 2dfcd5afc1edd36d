#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <string>

namespace zb {

// A chain of folders deeper than the system's path limit, made and removed a
// step at a time as no whole path reaches it.
class DeepFolder {
 public:
  DeepFolder(const std::string& top, int depth) : top_(top), depth_(depth) {
    int at = open(top.c_str(), O_PATH | O_DIRECTORY);
    for (int i = 0; i < depth_; ++i) {
      mkdirat(at, kName.c_str(), 0777);
      const int next = openat(at, kName.c_str(), O_PATH | O_DIRECTORY);
      close(at);
      at = next;
    }
    bottom_ = at;
  }
  ~DeepFolder() {
    close(bottom_);
    Remove(open(top_.c_str(), O_RDONLY | O_DIRECTORY), depth_);
  }
  void Put(const std::string& name, const std::string& bytes) const {
    const int fd = openat(bottom_, name.c_str(), O_WRONLY | O_CREAT, 0666);
    (void)!write(fd, bytes.data(), bytes.size());
    close(fd);
  }
  std::string DrivePath(const std::string& below) const {
    std::string path = below;
    for (int i = 0; i < depth_; ++i) path += "\\" + kName;
    return path;
  }
  static inline const std::string kName = std::string(200, 'd');

 private:
  static void Remove(int folder, int depth) {
    if (depth > 0) Remove(openat(folder, kName.c_str(), O_RDONLY | O_DIRECTORY), depth - 1);
    DIR* dir = fdopendir(folder);
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      unlinkat(dirfd(dir), name.c_str(), name == kName ? AT_REMOVEDIR : 0);
    }
    closedir(dir);
  }

  std::string top_;
  int depth_;
  int bottom_;
};

}  // namespace zb
