#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/picture_loader.h"
#include "platform/posix/drive_paths.h"

namespace zb {

// Sizes pictures from their headers alone, by content rather than by name:
// JPEG through libjpeg, BMP, PNG and GIF through stb_image. Anything else,
// including cut or empty files, gives no size.
//
// Expected pictures are measured ahead on a thread of their own, in order,
// so that reading them overlaps the walk; one picture is loaded at a time,
// each right after the load guard has run.
class PictureMeasurer : public PictureLoader {
 public:
  explicit PictureMeasurer(DrivePaths& paths) : paths_(paths) {}
  ~PictureMeasurer() override;
  PictureMeasurer(const PictureMeasurer&) = delete;
  PictureMeasurer& operator=(const PictureMeasurer&) = delete;

  void SetLoadGuard(std::function<void(const std::string& path)> guard) override;
  void Expect(const std::string& path) override;
  void ForgetExpected() override;
  std::optional<PixelSize> Measure(const std::string& path) override;

 private:
  // Jobs run strictly in order: those before next_ have started, and a job
  // is done only after every job before it.
  struct Job {
    std::uint64_t id = 0;
    std::string path;
    bool done = false;
    // The host path could not be opened as spelt: the caller's thread
    // measures it, with a case-insensitive look-up.
    bool needsLookUp = false;
    std::optional<PixelSize> size;
  };

  void Work();
  // Guard, open and measure; false when the file is missing as spelt.
  bool LoadAhead(Job& job);
  std::optional<PixelSize> LoadHere(const std::string& path);
  std::optional<PixelSize> MeasureOpenFile(int fd);

  DrivePaths& paths_;
  std::function<void(const std::string& path)> guard_;
  std::array<unsigned char, std::size_t{16} * 1024> head_;

  std::mutex loading_;  // one load at a time, whichever thread
  std::mutex mutex_;    // guards what follows
  // Woken only when someone waits: a wake-up per picture would cost more
  // than the reading saves.
  std::condition_variable workAdded_;
  std::condition_variable jobDone_;
  bool workerIdle_ = false;
  bool callerWaiting_ = false;
  std::deque<Job> jobs_;
  std::size_t next_ = 0;
  std::uint64_t lastId_ = 0;
  bool stopping_ = false;
  std::thread worker_;
};

}  // namespace zb
