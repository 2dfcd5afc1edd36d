#include "thumbnail/helper_thumbnail_maker.h"

#include <span>
#include <string_view>
#include <utility>

#include "thumbnail/thumbnail_names.h"

namespace zb {
namespace {

// Writes what the helper made; remembers that it made nothing, so that no
// later run tries the unchanged picture again. An abandoned picture is not
// remembered: it was not its fault.
std::optional<std::string> Keep(const ThumbnailStore::Picture& picture,
                                ThumbnailHelperPool::Outcome outcome,
                                const std::vector<std::uint8_t>& bytes) {
  static constexpr std::string_view kRecordText = "no thumbnail\n";
  switch (outcome) {
    case ThumbnailHelperPool::Outcome::kMade:
      if (picture.write(picture.thumbnailName, bytes)) return picture.thumbnailName;
      break;
    case ThumbnailHelperPool::Outcome::kRefused:
      picture.write(
          NoThumbnailRecordName(picture.thumbnailName),
          std::span(reinterpret_cast<const std::uint8_t*>(kRecordText.data()), kRecordText.size()));
      break;
    case ThumbnailHelperPool::Outcome::kUnanswered:
      break;
  }
  return std::nullopt;
}

}  // namespace

HelperThumbnailMaker::HelperThumbnailMaker(StoreOpener openStore,
                                           std::unique_ptr<ThumbnailHelperPool> helpers)
    : openStore_(std::move(openStore)), helpers_(std::move(helpers)) {}

HelperThumbnailMaker::~HelperThumbnailMaker() { End(false); }

bool HelperThumbnailMaker::Begin(const std::string& outputFolder) {
  End(false);
  store_ = openStore_(outputFolder);
  return store_ != nullptr;
}

ThumbnailMaker::Ticket HelperThumbnailMaker::Submit(const std::string& picturePath, int side) {
  const Ticket ticket = next_++;
  std::optional<ThumbnailStore::Picture> picture;
  if (store_) picture = store_->Find(picturePath, side);
  if (!picture) {
    Answer(ticket, std::nullopt);
    return ticket;
  }
  const std::string& name = picture->thumbnailName;
  used_.insert(name);
  if (store_->Has(name)) {
    Answer(ticket, name);
    return ticket;
  }
  const std::string record = NoThumbnailRecordName(name);
  used_.insert(record);
  if (store_->Has(record)) {
    Answer(ticket, std::nullopt);
    return ticket;
  }
  ++decodes_;
  const std::string hostPath = picture->hostPath;
  helpers_->Post(hostPath, side,
                 [this, ticket, picture = std::move(*picture)](ThumbnailHelperPool::Outcome outcome,
                                                               std::vector<std::uint8_t> bytes) {
                   Answer(ticket, Keep(picture, outcome, bytes));
                 });
  return ticket;
}

void HelperThumbnailMaker::Answer(Ticket ticket, std::optional<std::string> name) {
  {
    std::lock_guard lock(mutex_);
    answers_[ticket] = std::move(name);
  }
  answered_.notify_all();
}

bool HelperThumbnailMaker::Ready(Ticket ticket, std::chrono::milliseconds patience) {
  std::unique_lock lock(mutex_);
  return answered_.wait_for(lock, patience, [&] { return answers_.contains(ticket); });
}

std::optional<std::string> HelperThumbnailMaker::Wait(Ticket ticket) {
  std::unique_lock lock(mutex_);
  answered_.wait(lock, [&] { return answers_.contains(ticket); });
  std::optional<std::string> name = std::move(answers_[ticket]);
  answers_.erase(ticket);
  return name;
}

void HelperThumbnailMaker::Abandon() { helpers_->Abandon(); }

void HelperThumbnailMaker::End(bool removeUnused) {
  helpers_->Settle();
  if (store_ && removeUnused) store_->RemoveUnused(used_);
  store_.reset();
  used_.clear();
  std::lock_guard lock(mutex_);
  answers_.clear();
}

}  // namespace zb
