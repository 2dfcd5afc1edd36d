#pragma once

#include <sys/stat.h>

#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>

#include "gallery/thumbnail_names.h"
#include "platform/posix/drive_paths.h"
#include "platform/posix/thumbnail_folder.h"
#include "platform/posix/thumbnail_workers.h"
#include "platform/thumbnail_maker.h"

namespace zb {

// Thumbnails named from the picture's host path, size, modification time,
// file id, change time and the side asked for: one that is already there is
// taken without decoding anything; the others are made by helper processes.
// A picture the helpers made nothing of is remembered by a record of the
// same name with another ending, so that later runs do not try it again
// while it is unchanged.
class PosixThumbnailMaker : public ThumbnailMaker {
 public:
  // workerProgram: the helper, which serves kThumbnailWorkerArgument; with
  // none (empty or missing), pictures get no thumbnails.
  PosixThumbnailMaker(DrivePaths& paths, std::string workerProgram,
                      std::chrono::milliseconds answerTimeout = ThumbnailWorkers::kAnswerTimeout);
  ~PosixThumbnailMaker() override;

  bool Begin(const std::string& outputFolder) override;
  Ticket Submit(const std::string& picturePath, int side) override;
  bool Ready(Ticket ticket, std::chrono::milliseconds patience) override;
  std::optional<std::string> Wait(Ticket ticket) override;
  void Abandon() override;
  void End(bool removeUnused) override;

  // Pictures handed to a helper since this object was made.
  unsigned long Decodes() const { return decodes_; }

 private:
  void Answer(Ticket ticket, std::optional<std::string> name);

  DrivePaths& paths_;
  std::unique_ptr<ThumbnailFolder> folder_;
  std::unordered_set<std::string> used_;
  Ticket next_ = 0;
  std::atomic<unsigned long> decodes_{0};
  std::mutex mutex_;
  std::condition_variable answered_;
  std::map<Ticket, std::optional<std::string>> answers_;
  // Last: its threads use the members above until it is destroyed.
  ThumbnailWorkers workers_;
};

// What names the thumbnail of the picture at hostPath, whose stat is st.
ThumbnailSource ThumbnailSourceOf(std::string_view hostPath, const struct stat& st, int side);

// The helper program beside this one (as in the build tree), else where the
// install puts it; empty when neither holds one. Never looked up on PATH.
std::string ThumbnailerProgram();

}  // namespace zb
