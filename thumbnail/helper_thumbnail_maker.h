#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>

#include "platform/thumbnail_maker.h"
#include "thumbnail/thumbnail_helper_pool.h"
#include "thumbnail/thumbnail_store.h"

namespace zb {

// Thumbnails named from what they are made from: one that is already there
// is taken without decoding anything; the others are made by helpers. A
// picture the helpers made nothing of is remembered by a record of the
// same name with another ending, so that later runs do not try it again
// while it is unchanged.
class HelperThumbnailMaker : public ThumbnailMaker {
 public:
  // The store of a run's output folder; null when it cannot be used.
  using StoreOpener = std::function<std::unique_ptr<ThumbnailStore>(const std::string&)>;

  HelperThumbnailMaker(StoreOpener openStore, std::unique_ptr<ThumbnailHelperPool> helpers);
  ~HelperThumbnailMaker() override;
  HelperThumbnailMaker(const HelperThumbnailMaker&) = delete;
  HelperThumbnailMaker& operator=(const HelperThumbnailMaker&) = delete;

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

  StoreOpener openStore_;
  std::unique_ptr<ThumbnailStore> store_;
  std::unordered_set<std::string> used_;
  Ticket next_ = 0;
  std::atomic<unsigned long> decodes_{0};
  std::mutex mutex_;
  std::condition_variable answered_;
  std::map<Ticket, std::optional<std::string>> answers_;
  // Last: its threads use the members above until it is destroyed.
  std::unique_ptr<ThumbnailHelperPool> helpers_;
};

}  // namespace zb
