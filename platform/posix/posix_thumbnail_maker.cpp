#include "platform/posix/posix_thumbnail_maker.h"

#include <sys/stat.h>
#include <unistd.h>

#include <span>
#include <thread>

#include "gallery/thumbnail_names.h"
#include "platform/posix/long_path.h"
#include "platform/posix/thumbnailer_place.h"

namespace zb {
namespace {

// Writes what the helper made; remembers that it made nothing, so that no
// later run tries the unchanged picture again. An abandoned picture is not
// remembered: it was not its fault.
std::optional<std::string> Keep(ThumbnailFolder& folder, const std::string& name,
                                ThumbnailFolder::Readers readers, ThumbnailWorkers::Outcome outcome,
                                const std::vector<std::uint8_t>& bytes) {
  static constexpr std::string_view kRecordText = "no thumbnail\n";
  switch (outcome) {
    case ThumbnailWorkers::Outcome::kMade:
      if (folder.Write(name, bytes, readers)) return name;
      break;
    case ThumbnailWorkers::Outcome::kRefused:
      folder.Write(
          NoThumbnailRecordName(name),
          std::span(reinterpret_cast<const std::uint8_t*>(kRecordText.data()), kRecordText.size()),
          readers);
      break;
    case ThumbnailWorkers::Outcome::kUnanswered:
      break;
  }
  return std::nullopt;
}

}  // namespace

std::string ThumbnailerProgram() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  const std::string self(path, static_cast<std::size_t>(n));
  const std::string folder = self.substr(0, self.rfind('/') + 1);
  for (const std::string& helper :
       {folder + kThumbnailerName, folder + kThumbnailerFromBinFolder + "/" + kThumbnailerName}) {
    if (access(helper.c_str(), X_OK) == 0) return helper;
  }
  return {};
}

PosixThumbnailMaker::PosixThumbnailMaker(DrivePaths& paths, std::string workerProgram,
                                         std::chrono::milliseconds answerTimeout)
    : paths_(paths),
      workers_(std::move(workerProgram), std::thread::hardware_concurrency(), answerTimeout) {}

PosixThumbnailMaker::~PosixThumbnailMaker() { End(false); }

bool PosixThumbnailMaker::Begin(const std::string& outputFolder) {
  End(false);
  const std::optional<std::string> host = paths_.Resolve(outputFolder);
  if (host) folder_ = ThumbnailFolder::Open(*host);
  return folder_ != nullptr;
}

ThumbnailSource ThumbnailSourceOf(std::string_view hostPath, const struct stat& st, int side) {
  const auto nanoseconds = [](const timespec& t) {
    return std::int64_t{t.tv_sec} * 1000000000 + t.tv_nsec;
  };
  return {hostPath, static_cast<std::uint64_t>(st.st_size), nanoseconds(st.st_mtim),
          side,     static_cast<std::uint64_t>(st.st_ino),  nanoseconds(st.st_ctim)};
}

ThumbnailMaker::Ticket PosixThumbnailMaker::Submit(const std::string& picturePath, int side) {
  const Ticket ticket = next_++;
  const std::optional<std::string> host = paths_.Resolve(picturePath);
  struct stat st {};
  if (!folder_ || !host || !StatHostPath(*host, st) || !S_ISREG(st.st_mode)) {
    Answer(ticket, std::nullopt);
    return ticket;
  }
  const std::string name = ThumbnailFileName(ThumbnailSourceOf(*host, st, side));
  used_.insert(name);
  if (folder_->Has(name)) {
    Answer(ticket, name);
    return ticket;
  }
  const std::string record = NoThumbnailRecordName(name);
  used_.insert(record);
  if (folder_->Has(record)) {
    Answer(ticket, std::nullopt);
    return ticket;
  }
  ++decodes_;
  ThumbnailFolder* folder = folder_.get();
  const ThumbnailFolder::Readers readers{st.st_mode, st.st_gid};
  workers_.Post(*host, side,
                [this, ticket, name, folder, readers](ThumbnailWorkers::Outcome outcome,
                                                      std::vector<std::uint8_t> bytes) {
                  Answer(ticket, Keep(*folder, name, readers, outcome, bytes));
                });
  return ticket;
}

void PosixThumbnailMaker::Answer(Ticket ticket, std::optional<std::string> name) {
  {
    std::lock_guard lock(mutex_);
    answers_[ticket] = std::move(name);
  }
  answered_.notify_all();
}

bool PosixThumbnailMaker::Ready(Ticket ticket, std::chrono::milliseconds patience) {
  std::unique_lock lock(mutex_);
  return answered_.wait_for(lock, patience, [&] { return answers_.contains(ticket); });
}

std::optional<std::string> PosixThumbnailMaker::Wait(Ticket ticket) {
  std::unique_lock lock(mutex_);
  answered_.wait(lock, [&] { return answers_.contains(ticket); });
  std::optional<std::string> name = std::move(answers_[ticket]);
  answers_.erase(ticket);
  return name;
}

void PosixThumbnailMaker::Abandon() { workers_.Abandon(); }

void PosixThumbnailMaker::End(bool removeUnused) {
  workers_.Settle();
  if (folder_ && removeUnused) folder_->RemoveUnused(used_);
  folder_.reset();
  used_.clear();
  std::lock_guard lock(mutex_);
  answers_.clear();
}

}  // namespace zb
