// The floor a run is measured against: walks a tree with readdir, a folder's
// files before its sub-folders, and reads the first 4 KiB of every picture;
// no page, no list, no marker. With THREADS above 1 the walk stays on the
// main thread and that many threads read the pictures it finds.
//
// usage: floor THREADS ROOT     prints the number of pictures read
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

bool IsPicture(const char* name) {
  const char* dot = std::strrchr(name, '.');
  if (dot == nullptr) return false;
  for (const char* ext : {".gif", ".jpg", ".jpe", ".jpeg", ".bmp"}) {
    if (strcasecmp(dot, ext) == 0) return true;
  }
  return false;
}

void ReadHead(const std::string& path) {
  char head[4096];
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  if (read(fd, head, sizeof head) < 0) std::perror(path.c_str());
  close(fd);
}

class Readers {
 public:
  explicit Readers(int count) {
    for (int i = 0; i < count; ++i) threads_.emplace_back([this] { Work(); });
  }
  ~Readers() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    ready_.notify_all();
    for (std::thread& t : threads_) t.join();
  }
  void Add(std::vector<std::string> batch) {
    {
      std::lock_guard lock(mutex_);
      batches_.push_back(std::move(batch));
    }
    ready_.notify_one();
  }

 private:
  void Work() {
    for (;;) {
      std::vector<std::string> batch;
      {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [&] { return done_ || !batches_.empty(); });
        if (batches_.empty()) return;
        batch = std::move(batches_.front());
        batches_.pop_front();
      }
      for (const std::string& path : batch) ReadHead(path);
    }
  }

  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::vector<std::string>> batches_;
  bool done_ = false;
  std::vector<std::thread> threads_;
};

long Walk(const std::string& folder, Readers* readers) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return 0;
  std::vector<std::string> subfolders;
  std::vector<std::string> pictures;
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.' && (!entry->d_name[1] || std::strcmp(entry->d_name, "..") == 0)) {
      continue;
    }
    if (entry->d_type == DT_DIR) {
      subfolders.emplace_back(entry->d_name);
    } else if (IsPicture(entry->d_name)) {
      pictures.push_back(folder + "/" + entry->d_name);
    }
  }
  closedir(dir);
  long count = static_cast<long>(pictures.size());
  if (readers != nullptr) {
    readers->Add(std::move(pictures));
  } else {
    for (const std::string& path : pictures) ReadHead(path);
  }
  for (const std::string& name : subfolders) count += Walk(folder + "/" + name, readers);
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s THREADS ROOT\n", argv[0]);
    return 2;
  }
  const int threads = std::atoi(argv[1]);
  long count = 0;
  if (threads > 1) {
    Readers readers(threads);
    count = Walk(argv[2], &readers);
  } else {
    count = Walk(argv[2], nullptr);
  }
  std::printf("%ld\n", count);
  return 0;
}
