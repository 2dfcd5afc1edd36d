#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/walk_ahead.h"
#include "walk_ahead/ahead_disk.h"
#include "walk_ahead/wake_signal.h"

namespace zb {

// Reads a planned walk ahead on threads of its own, through disk. Contract:
// - One lister thread walks the plan depth first, in the walk's own order,
//   and cuts each folder's listing into batches; reader threads fill in the
//   first bytes of the wanted plain files of a batch. Nothing is parsed.
// - The windows are bounded, so memory stays flat however big the tree or a
//   folder is: batches hold at most kBatchEntries entries and kBatchHeads
//   heads; the lister waits while kWindowEntries entries wait to be taken,
//   and readers while kWindowHeads heads are read or being read but not yet
//   taken. Listing runs further ahead than reading, so that a cold disk
//   reads folders and pictures at once.
// - The walk's thread takes batches in order, a batch only once its heads
//   are read; while the next is not ready it reads heads itself: the next
//   batch's when no reader has taken it up yet, else a later one's (within
//   the heads' window). A folder asked for out of plan ends the reading
//   ahead; a folder that could not be listed ahead, or changed since (time
//   stamp or identity), is left to the caller.
// - onServed(folder, host) runs on the walk's thread whenever a folder is
//   served; host is its host path as listed.
class BatchedWalkAhead final : public WalkAhead {
 public:
  static constexpr std::size_t kBatchEntries = 512;
  static constexpr std::size_t kBatchHeads = 32;
  static constexpr std::size_t kWindowEntries = 16384;
  static constexpr std::size_t kWindowHeads = 256;
  // A sleeping lister resumes once a quarter of its window is taken; a
  // sleeping walk once this many batches are ready (or nothing more can come).
  static constexpr std::size_t kListerResumesAt = kWindowEntries - kWindowEntries / 4;
  static constexpr std::size_t kWakeBatches = 8;
  // Unread batches each awake reader may have waiting before another wakes.
  static constexpr std::size_t kUnreadPerReader = 2;

  // hostRoot is the host folder of plan.root.
  BatchedWalkAhead(
      WalkPlan plan, std::string hostRoot, int readers, std::unique_ptr<AheadDisk> disk,
      std::function<void(const std::string& folder, const std::string& host)> onServed);
  ~BatchedWalkAhead() override;
  BatchedWalkAhead(const BatchedWalkAhead&) = delete;
  BatchedWalkAhead& operator=(const BatchedWalkAhead&) = delete;

  std::unique_ptr<FolderListing> ListFolder(const std::string& folder) override;

 private:
  struct Batch;
  class Listing;
  struct Buffer {
    std::unique_ptr<std::byte[]> data;
    std::size_t size = 0;
  };

  void ListAll();
  // Lists one folder into batches; its sub-folders to enter go to subfolders.
  // False once stopped.
  bool ListOne(const std::string& folder, const std::string& host,
               std::vector<std::string>& subfolders);
  bool Hand(std::shared_ptr<Batch> batch);
  void ReadHeads();
  // Whether any head had to wait on the disk.
  bool ReadBatch(Batch& batch, std::string& path);
  Buffer TakeBuffer(std::size_t size);
  // Takes back the head buffer of a batch the walk is done with.
  void Recycle(Batch& batch);
  // The next batch in walk order once its heads are read; null when the
  // lister has nothing more.
  std::shared_ptr<Batch> Take();
  bool WalkMayWake() const;
  bool ReadersBehind() const;
  // Unlocks, waking the walk if it sleeps and may wake now.
  void WakeWalkIfDue(std::unique_lock<std::mutex>& lock);
  bool Changed(const Batch& batch) const;
  // Passes over the rest of batch's folder.
  void Drop(std::shared_ptr<Batch> batch);
  void Stop();

  const WalkPlan plan_;
  const std::string hostRoot_;
  const std::unique_ptr<AheadDisk> disk_;
  const std::function<void(const std::string&, const std::string&)> onServed_;

  std::mutex mutex_;
  WakeSignal listerWakes_;                      // window room, or stopped
  WakeSignal readerWakes_;                      // heads to read, or stopped
  WakeSignal walkWakes_;                        // a batch ready, or the lister done
  std::deque<std::shared_ptr<Batch>> ordered_;  // listed, not yet taken
  std::deque<std::shared_ptr<Batch>> unread_;   // heads to read
  std::size_t listedEntries_ = 0;               // listed, not yet taken
  std::size_t headsHeld_ = 0;  // in batches readers took, not yet taken by the walk
  bool listed_ = false;        // the lister is done
  bool stopped_ = false;
  bool walkSleeping_ = false;
  bool listerSleeping_ = false;
  int readers_ = 0;
  int quietReaders_ = 1;  // readers awake at most while reads do not wait
  int readersAwake_ = 0;
  bool readsWait_ = false;                                     // as the last batch read found
  bool strayed_ = false;                                       // walk's thread only
  std::string walkPath_;                                       // walk's thread only
  std::set<std::pair<std::uint64_t, std::uint64_t>> entered_;  // lister only
  std::vector<Buffer> spareBuffers_;
  std::size_t spareBytes_ = 0;

  std::vector<std::thread> threads_;
};

}  // namespace zb
