#include "platform/posix/picture_measurer.h"

#include <fcntl.h>
#include <stb_image.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/posix/jpeg_header_reader.h"

namespace zb {
namespace {

bool StartsWith(const unsigned char* data, std::size_t length, std::string_view signature) {
  return length >= signature.size() && std::memcmp(data, signature.data(), signature.size()) == 0;
}

// Only formats with a signature go to stb_image: its TGA reader has none
// and would size plain garbage.
bool IsStbFormat(const unsigned char* data, std::size_t length) {
  return StartsWith(data, length, "BM") || StartsWith(data, length, "GIF87a") ||
         StartsWith(data, length, "GIF89a") || StartsWith(data, length, "\x89PNG\r\n\x1a\n");
}

// One read: a regular file gives all it has up to the buffer's size, and a
// pipe, opened non-blocking, what is there or nothing.
std::size_t ReadOnce(int fd, unsigned char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = read(fd, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) return 0;
  }
}

}  // namespace

PictureMeasurer::~PictureMeasurer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  workAdded_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void PictureMeasurer::SetLoadGuard(std::function<void(const std::string& path)> guard) {
  std::lock_guard lock(loading_);
  guard_ = std::move(guard);
}

void PictureMeasurer::Expect(const std::string& path) {
  {
    std::lock_guard lock(mutex_);
    Job job;
    job.id = ++lastId_;
    job.path = path;
    jobs_.push_back(std::move(job));
    if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
    if (!workerIdle_) return;
  }
  workAdded_.notify_one();
}

void PictureMeasurer::ForgetExpected() {
  std::unique_lock lock(mutex_);
  jobs_.resize(next_);
  callerWaiting_ = true;
  jobDone_.wait(lock, [this] { return jobs_.empty() || jobs_.back().done; });
  callerWaiting_ = false;
  jobs_.clear();
  next_ = 0;
}

std::optional<PixelSize> PictureMeasurer::Measure(const std::string& path) {
  std::unique_lock lock(mutex_);
  const auto found =
      std::find_if(jobs_.begin(), jobs_.end(), [&](const Job& j) { return j.path == path; });
  if (found == jobs_.end()) {
    lock.unlock();
    return LoadHere(path);
  }
  // Only this thread removes jobs, so the index holds while it waits.
  const auto index = static_cast<std::size_t>(found - jobs_.begin());
  callerWaiting_ = true;
  jobDone_.wait(lock, [&] { return jobs_[index].done; });
  callerWaiting_ = false;
  const Job job = std::move(jobs_[index]);
  // Expected pictures that were passed over will not be asked for.
  jobs_.erase(jobs_.begin(), jobs_.begin() + static_cast<std::ptrdiff_t>(index) + 1);
  next_ -= index + 1;
  lock.unlock();
  return job.needsLookUp ? LoadHere(path) : job.size;
}

void PictureMeasurer::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    workerIdle_ = true;
    workAdded_.wait(lock, [this] { return stopping_ || next_ < jobs_.size(); });
    workerIdle_ = false;
    if (stopping_) return;
    Job work;
    work.id = jobs_[next_].id;
    work.path = jobs_[next_].path;
    ++next_;
    lock.unlock();
    work.needsLookUp = !LoadAhead(work);
    lock.lock();
    // A started job stays until it is done: nothing removes it before.
    Job& job =
        *std::find_if(jobs_.begin(), jobs_.end(), [&](const Job& j) { return j.id == work.id; });
    job.size = work.size;
    job.needsLookUp = work.needsLookUp;
    job.done = true;
    if (callerWaiting_) jobDone_.notify_one();
  }
}

bool PictureMeasurer::LoadAhead(Job& job) {
  // The drive table alone, no look-up: the look-up's caches belong to the
  // caller's thread.
  const std::optional<std::string> host = paths_.ToHost(job.path);
  if (!host) return false;
  std::lock_guard lock(loading_);
  if (guard_) guard_(job.path);
  const int fd = open(host->c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno != ENOENT;
  job.size = MeasureOpenFile(fd);
  close(fd);
  return true;
}

std::optional<PixelSize> PictureMeasurer::LoadHere(const std::string& path) {
  std::lock_guard lock(loading_);
  if (guard_) guard_(path);
  // Non-blocking, so that a pipe named like a picture cannot stall the run.
  const int fd = paths_.Attempt(path, [](const std::string& host) {
    return open(host.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  });
  if (fd < 0) return std::nullopt;
  const std::optional<PixelSize> size = MeasureOpenFile(fd);
  close(fd);
  return size;
}

std::optional<PixelSize> PictureMeasurer::MeasureOpenFile(int fd) {
  const std::size_t filled = ReadOnce(fd, head_.data(), head_.size());
  if (StartsWith(head_.data(), filled, "\xFF\xD8")) {
    const std::optional<PixelSize> size = ReadJpegSize(fd, head_.data(), head_.size(), filled);
    if (size && (size->width == 0 || size->height == 0)) return std::nullopt;
    return size;
  }
  // The header fields of these formats lie well inside the first block.
  int width = 0;
  int height = 0;
  int components = 0;
  if (!IsStbFormat(head_.data(), filled) ||
      !stbi_info_from_memory(head_.data(), static_cast<int>(filled), &width, &height,
                             &components) ||
      width <= 0 || height <= 0) {
    return std::nullopt;
  }
  return PixelSize{static_cast<unsigned>(width), static_cast<unsigned>(height)};
}

}  // namespace zb
