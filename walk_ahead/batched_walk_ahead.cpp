#include "walk_ahead/batched_walk_ahead.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace zb {

// A run of one folder's listing; the first batch of a folder carries its id.
struct BatchedWalkAhead::Batch {
  std::string folder;  // drive path, as the plan spells it
  std::string host;
  bool first = true;
  bool last = false;
  bool listed = true;  // false: the folder could not be listed
  FolderId id;
  std::optional<FolderStamp> stamp;  // as it was before the listing, when that can tell a change
  std::vector<AheadItem> items;
  std::size_t heads = 0;  // items wanted
  Buffer bytes;           // heads, headBytes apart, in item order
  bool read = false;      // under the mutex
};

class BatchedWalkAhead::Listing : public FolderListing {
 public:
  Listing(BatchedWalkAhead& owner, std::shared_ptr<Batch> batch)
      : owner_(owner), batch_(std::move(batch)), id_(batch_->id) {}
  ~Listing() override { owner_.Recycle(*batch_); }
  Listing(const Listing&) = delete;
  Listing& operator=(const Listing&) = delete;

  bool Next(FolderEntry& entry) override {
    while (next_ == batch_->items.size()) {
      if (batch_->last) return false;
      std::shared_ptr<Batch> more = owner_.Take();
      if (!more || more->first) return false;  // stopped: the walk is ending
      owner_.Recycle(*batch_);
      batch_ = std::move(more);
      next_ = 0;
      headAt_ = 0;
    }
    const AheadItem& item = batch_->items[next_++];
    entry = item.entry;
    head_.reset();
    if (item.wanted > 0) {
      if (item.headSize != kNoHead)
        head_.emplace(batch_->bytes.data.get() + headAt_, item.headSize);
      headAt_ += owner_.plan_.headBytes;
    }
    return true;
  }
  FolderId Id() const override { return id_; }
  std::optional<std::span<const std::byte>> Head() const override { return head_; }

 private:
  BatchedWalkAhead& owner_;
  std::shared_ptr<Batch> batch_;
  FolderId id_;
  std::size_t next_ = 0;
  std::size_t headAt_ = 0;
  std::optional<std::span<const std::byte>> head_;
};

BatchedWalkAhead::BatchedWalkAhead(
    WalkPlan plan, std::string hostRoot, int readers, std::unique_ptr<AheadDisk> disk,
    std::function<void(const std::string& folder, const std::string& host)> onServed)
    : plan_(std::move(plan)),
      hostRoot_(std::move(hostRoot)),
      disk_(std::move(disk)),
      onServed_(std::move(onServed)) {
  readers_ = readers;
  readersAwake_ = readers;
  quietReaders_ = std::max(1, static_cast<int>(std::thread::hardware_concurrency()) - 1);
  // Named, so that top and perf tell the helpers from the walk's thread.
  threads_.emplace_back([this] {
    disk_->NameThread("zorbelle-list");
    ListAll();
  });
  for (int i = 0; i < readers; ++i) {
    threads_.emplace_back([this] {
      disk_->NameThread("zorbelle-read");
      ReadHeads();
    });
  }
}

BatchedWalkAhead::~BatchedWalkAhead() {
  Stop();
  for (std::thread& thread : threads_) thread.join();
}

void BatchedWalkAhead::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  listerWakes_.NotifyAll();
  readerWakes_.NotifyAll();
  walkWakes_.NotifyAll();
}

std::unique_ptr<FolderListing> BatchedWalkAhead::ListFolder(const std::string& folder) {
  if (strayed_) return nullptr;
  std::shared_ptr<Batch> batch = Take();
  if (!batch || !batch->first || batch->folder != folder) {
    strayed_ = true;
    Stop();
    return nullptr;
  }
  if (!batch->listed || Changed(*batch)) {
    Drop(std::move(batch));
    return nullptr;
  }
  onServed_(folder, batch->host);
  return std::make_unique<Listing>(*this, std::move(batch));
}

// One call per folder keeps a folder that changed after it was read ahead
// (the run's own pages, say, or another program) from being served stale.
bool BatchedWalkAhead::Changed(const Batch& batch) const {
  return !batch.stamp || !disk_->Unchanged(batch.host, batch.id, *batch.stamp);
}

void BatchedWalkAhead::Drop(std::shared_ptr<Batch> batch) {
  while (batch && !batch->last) batch = Take();
}

// A walk that caught up sleeps until a run of batches is ready, or nothing
// more can come without it: on two cores a wake-up for every folder cost more
// than the folder's listing.
bool BatchedWalkAhead::WalkMayWake() const {
  if (stopped_) return true;
  if (ordered_.empty()) return listed_;
  if (!ordered_.front()->read) return false;
  if (listed_ || listerSleeping_ || headsHeld_ >= kWindowHeads) return true;
  std::size_t run = 0;
  for (const std::shared_ptr<Batch>& batch : ordered_) {
    if (!batch->read || ++run == kWakeBatches) break;
  }
  return run == kWakeBatches;
}

void BatchedWalkAhead::WakeWalkIfDue(std::unique_lock<std::mutex>& lock) {
  const bool due = walkSleeping_ && WalkMayWake();
  lock.unlock();
  if (due) walkWakes_.NotifyOne();
}

std::shared_ptr<BatchedWalkAhead::Batch> BatchedWalkAhead::Take() {
  std::unique_lock lock(mutex_);
  // While the next in line is not ready the walk reads heads itself rather
  // than wait, so that the cores stay busy whichever side is behind: the next
  // batch's when no reader has taken it up, else a later one's, within the
  // window.
  while (!stopped_ && !ordered_.empty() && !ordered_.front()->read && !unread_.empty() &&
         (unread_.front() == ordered_.front() || headsHeld_ < kWindowHeads)) {
    std::shared_ptr<Batch> next = std::move(unread_.front());
    unread_.pop_front();
    headsHeld_ += next->heads;
    lock.unlock();
    const bool waited = ReadBatch(*next, walkPath_);
    lock.lock();
    next->read = true;
    readsWait_ = waited;
  }
  if (!stopped_ && (ordered_.empty() ? !listed_ : !ordered_.front()->read)) {
    walkSleeping_ = true;
    walkWakes_.Wait(lock, [&] { return WalkMayWake(); });
    walkSleeping_ = false;
  }
  if (stopped_ || ordered_.empty()) return nullptr;
  std::shared_ptr<Batch> batch = std::move(ordered_.front());
  ordered_.pop_front();
  listedEntries_ -= batch->items.size();
  headsHeld_ -= batch->heads;
  const bool wakeLister = listerSleeping_ && listedEntries_ <= kListerResumesAt;
  const bool wakeReader = batch->heads > 0 && !unread_.empty() && readersAwake_ == 0;
  lock.unlock();
  if (wakeLister) listerWakes_.NotifyOne();
  if (wakeReader) readerWakes_.NotifyOne();
  return batch;
}

void BatchedWalkAhead::ListAll() {
  // The walk's own order: a folder's entries, then each sub-folder's subtree.
  struct Level {
    std::string folder;
    std::string host;
    std::vector<std::string> subfolders;
    std::size_t next = 0;
  };
  std::vector<Level> levels(1);
  levels[0].folder = plan_.root;
  levels[0].host = hostRoot_;
  bool going = ListOne(levels[0].folder, levels[0].host, levels[0].subfolders);
  while (going && !levels.empty()) {
    Level& level = levels.back();
    if (level.next == level.subfolders.size()) {
      levels.pop_back();
      continue;
    }
    const std::string& name = level.subfolders[level.next++];
    Level below{level.folder + name + '\\', disk_->ChildOf(level.host, name), {}, 0};
    going = ListOne(below.folder, below.host, below.subfolders);
    levels.push_back(std::move(below));
  }
  std::unique_lock lock(mutex_);
  listed_ = true;
  WakeWalkIfDue(lock);
}

bool BatchedWalkAhead::ListOne(const std::string& folder, const std::string& host,
                               std::vector<std::string>& subfolders) {
  auto batch = std::make_shared<Batch>();
  batch->folder = folder;
  batch->host = host;
  const std::unique_ptr<AheadFolder> listing = disk_->List(host, plan_.mask);
  if (!listing) {
    batch->listed = false;
    batch->last = true;
    return Hand(std::move(batch));
  }
  batch->id = listing->Id();
  batch->stamp = listing->Stamp();
  // Each folder once, as the walk does: a link back up is listed no further.
  if (!entered_.insert({batch->id.device, batch->id.inode}).second) {
    batch->last = true;
    return Hand(std::move(batch));
  }
  FolderEntry entry;
  for (bool first = true; listing->Next(entry); first = false) {
    const bool folderEntry = entry.attributes && (*entry.attributes & kAttrDirectory);
    if (plan_.subfolders && plan_.enters(folder, entry, first)) subfolders.push_back(entry.name);
    const std::size_t wanted =
        !folderEntry && listing->LastIsPlainFile() ? plan_.headBytesOf(entry.name) : 0;
    batch->heads += wanted > 0 ? 1 : 0;
    batch->items.push_back({std::move(entry), wanted, kNoHead});
    if (batch->items.size() == kBatchEntries || batch->heads == kBatchHeads) {
      auto more = std::make_shared<Batch>();
      more->folder = folder;
      more->host = host;
      more->first = false;
      if (!Hand(std::exchange(batch, std::move(more)))) return false;
    }
  }
  batch->last = true;
  return Hand(std::move(batch));
}

bool BatchedWalkAhead::Hand(std::shared_ptr<Batch> batch) {
  std::unique_lock lock(mutex_);
  if (!stopped_ && listedEntries_ >= kWindowEntries) {
    listerSleeping_ = true;
    if (walkSleeping_ && WalkMayWake()) walkWakes_.NotifyOne();
    listerWakes_.Wait(lock, [&] { return stopped_ || listedEntries_ <= kListerResumesAt; });
    listerSleeping_ = false;
  }
  if (stopped_) return false;
  listedEntries_ += batch->items.size();
  const bool toRead = batch->heads > 0;
  batch->read = !toRead;
  if (toRead) unread_.push_back(batch);
  ordered_.push_back(std::move(batch));
  const bool wakeReader = toRead && ReadersBehind();
  WakeWalkIfDue(lock);
  if (wakeReader) readerWakes_.NotifyOne();
  return true;
}

// Another reader wakes only while heads pile up. While reads find their
// bytes in the page cache the readers are held to the cores the walk leaves
// free: more would only take turns with it. Reads that wait on the disk may
// all wait at once.
bool BatchedWalkAhead::ReadersBehind() const {
  const int most = readsWait_ ? readers_ : quietReaders_;
  return readersAwake_ < most &&
         unread_.size() > kUnreadPerReader * static_cast<std::size_t>(readersAwake_);
}

void BatchedWalkAhead::ReadHeads() {
  std::string path;
  const auto mayRead = [&] { return stopped_ || (!unread_.empty() && headsHeld_ < kWindowHeads); };
  for (;;) {
    std::shared_ptr<Batch> batch;
    bool wakeAnother = false;
    {
      std::unique_lock lock(mutex_);
      if (!mayRead()) {
        --readersAwake_;
        readerWakes_.Wait(lock, mayRead);
        ++readersAwake_;
      }
      if (stopped_) return;
      batch = std::move(unread_.front());
      unread_.pop_front();
      headsHeld_ += batch->heads;
      wakeAnother = !unread_.empty() && headsHeld_ < kWindowHeads && ReadersBehind();
    }
    if (wakeAnother) readerWakes_.NotifyOne();
    const bool waited = ReadBatch(*batch, path);
    std::unique_lock lock(mutex_);
    batch->read = true;
    readsWait_ = waited;
    WakeWalkIfDue(lock);
  }
}

// Heads go into buffers used over and over: fresh ones would cost a page
// fault and a cleared page for every few heads read. The spares are bounded
// like the heads held, so memory stays within twice the window.
BatchedWalkAhead::Buffer BatchedWalkAhead::TakeBuffer(std::size_t size) {
  {
    std::lock_guard lock(mutex_);
    const auto fits = std::find_if(spareBuffers_.begin(), spareBuffers_.end(),
                                   [size](const Buffer& spare) { return spare.size >= size; });
    if (fits != spareBuffers_.end()) {
      Buffer buffer = std::move(*fits);
      spareBuffers_.erase(fits);
      spareBytes_ -= buffer.size;
      return buffer;
    }
  }
  return {std::make_unique_for_overwrite<std::byte[]>(size), size};
}

void BatchedWalkAhead::Recycle(Batch& batch) {
  if (!batch.bytes.data) return;
  std::lock_guard lock(mutex_);
  if (spareBytes_ + batch.bytes.size > kWindowHeads * plan_.headBytes) return;
  spareBytes_ += batch.bytes.size;
  spareBuffers_.push_back(std::move(batch.bytes));
}

bool BatchedWalkAhead::ReadBatch(Batch& batch, std::string& path) {
  const std::size_t size = plan_.headBytes;
  batch.bytes = TakeBuffer(batch.heads * size);
  return disk_->ReadHeads(batch.host, batch.items, batch.heads, batch.bytes.data.get(), size, path);
}

}  // namespace zb
