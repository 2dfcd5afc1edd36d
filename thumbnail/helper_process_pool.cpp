#include "thumbnail/helper_process_pool.h"

namespace zb {

HelperProcessPool::HelperProcessPool(std::unique_ptr<ThumbnailHelperLauncher> launcher,
                                     unsigned count, std::chrono::milliseconds answerTimeout)
    : launcher_(std::move(launcher)),
      answerTimeout_(answerTimeout),
      slots_(count == 0 ? 1 : count) {}

HelperProcessPool::~HelperProcessPool() {
  Abandon();
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
  }
  changed_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void HelperProcessPool::Post(std::string hostPath, int side, Done done) {
  {
    std::lock_guard lock(mutex_);
    // Helpers start with the first picture that needs one, so that a run
    // whose thumbnails all exist starts none.
    if (threads_.empty()) {
      for (Slot& slot : slots_) threads_.emplace_back([this, &slot] { Serve(slot); });
    }
    queue_.push_back({{std::move(hostPath), side}, std::move(done)});
  }
  changed_.notify_one();
}

void HelperProcessPool::Abandon() {
  std::deque<Job> dropped;
  {
    std::lock_guard lock(mutex_);
    dropped.swap(queue_);
    for (Slot& slot : slots_) {
      if (!slot.busy) continue;
      slot.abandoned = true;
      if (slot.helper != nullptr) slot.helper->Kill();
    }
  }
  for (Job& job : dropped) job.done(Outcome::kUnanswered, {});
}

void HelperProcessPool::Settle() {
  Abandon();
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return running_ == 0; });
}

void HelperProcessPool::Serve(Slot& slot) {
  std::unique_ptr<ThumbnailHelperProcess> helper;
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return ending_ || !queue_.empty(); });
    if (ending_) break;
    Job job = std::move(queue_.front());
    queue_.pop_front();
    ++running_;
    slot = Slot{.busy = true};
    lock.unlock();
    auto [outcome, bytes] = Ask(helper, job, slot);
    job.done(outcome, std::move(bytes));
    lock.lock();
    --running_;
    changed_.notify_all();
  }
  lock.unlock();
  helper.reset();
}

HelperProcessPool::Answer HelperProcessPool::Ask(std::unique_ptr<ThumbnailHelperProcess>& helper,
                                                 const Job& job, Slot& slot) {
  if (!helper) helper = launcher_->Start();
  if (!helper) return {Outcome::kUnanswered, {}};
  bool abandoned = false;
  {
    std::lock_guard lock(mutex_);
    abandoned = slot.abandoned;
    slot.helper = helper.get();
  }
  std::optional<std::vector<std::uint8_t>> bytes;
  if (!abandoned) bytes = helper->Exchange(job.request, answerTimeout_);
  {
    // From here Abandon kills no more: the helper is ours alone to end.
    std::lock_guard lock(mutex_);
    slot.helper = nullptr;
    slot.busy = false;
    abandoned = slot.abandoned;
  }
  if (abandoned || !bytes) {
    // Died, hung, spoke nonsense or was abandoned: the next picture gets a
    // fresh helper. Killed first, as one that hangs would never leave.
    helper->Kill();
    helper.reset();
  }
  if (abandoned) return {Outcome::kUnanswered, {}};
  if (!bytes || bytes->empty()) return {Outcome::kRefused, {}};
  return {Outcome::kMade, std::move(*bytes)};
}

}  // namespace zb
