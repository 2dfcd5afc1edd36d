#include "scan/folder_walker.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/walk_ahead.h"
#include "scan/picture_kind.h"
#include "scan/process_file.h"
#include "scan/run_session.h"
#include "text/letter_case.h"
#include "text/text_util.h"
#include "thumbnail/thumbnail_names.h"

namespace zb {
namespace {

constexpr std::uint32_t kEverything = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrDirectory;
// A GIF is measured from the two fields that end at this offset.
constexpr std::size_t kGifHeaderBytes = 10;

// A name holding a backslash, which no Windows listing gives, would name
// another path once joined to its folder ("..\x" one above it): it is passed
// over like an entry whose attributes cannot be read.
bool Skipped(const FolderEntry& entry, bool first) {
  return (!first && EqualsIgnoreCase(entry.name, "pagefile.sys")) || entry.name == "." ||
         entry.name == ".." || !entry.attributes || entry.name.find('\\') != std::string::npos;
}

// The program's thumbnails (a folder that carries our mark), this run's or
// another output folder's below the searched one, are never catalogued, even
// by a run made without thumbnails.
bool IsThumbnailFolder(RunSession& session, const std::string& folder, const std::string& name) {
  return EqualsIgnoreCase(name, kThumbnailFolder) &&
         session.platform.files.GetAttributes(folder + name + "\\" + kThumbnailOwnerMark)
             .has_value();
}

class Walker {
 public:
  Walker(RunSession& session, std::unique_ptr<WalkAhead> ahead)
      : session_(session), ahead_(std::move(ahead)) {}

  std::int16_t Walk(std::string folder);

 private:
  std::int16_t ListFiles(const std::string& folder, std::vector<std::string>& subfolders);

  RunSession& session_;
  std::unique_ptr<WalkAhead> ahead_;
  std::string path_;  // one buffer for every file's path
};

// Lists the folder, handing its files to ProcessFile at once and keeping only
// the names of its sub-folders. A folder already entered in this run (a link
// back up the tree) is not listed again.
std::int16_t Walker::ListFiles(const std::string& folder, std::vector<std::string>& subfolders) {
  std::unique_ptr<FolderListing> listing = ahead_ ? ahead_->ListFolder(folder) : nullptr;
  if (!listing) listing = session_.platform.files.ListFolder(folder, kEverything);
  if (!listing || !session_.enteredFolders.insert(listing->Id()).second) return 0;
  FolderEntry entry;
  for (bool first = true; listing->Next(entry); first = false) {
    if (Skipped(entry, first)) continue;
    session_.CurrentEntry = entry.name;
    if (*entry.attributes & kAttrDirectory) {
      if (!IsThumbnailFolder(session_, folder, entry.name)) subfolders.push_back(entry.name);
      continue;
    }
    path_.assign(folder).append(entry.name);
    if (std::int16_t error = ProcessFile(session_, path_, listing->Head())) return error;
  }
  return 0;
}

std::int16_t Walker::Walk(std::string folder) {
  RunContext& run = session_.run;
  session_.platform.system.YieldToEvents();
  ++run.CurrentDepth;
  if (run.MaxDepth < run.CurrentDepth) run.MaxDepth = run.CurrentDepth;
  if (run.RunState == StopRequest::kConfirmed) return 0;
  if (!EndsWith(folder, '\\')) folder += '\\';

  std::vector<std::string> subfolders;
  if (std::int16_t error = ListFiles(folder, subfolders)) return error;
  if (session_.form.chkSubDir.Value() == 1) {
    for (const std::string& name : subfolders) {
      if (std::int16_t error = Walk(folder + name)) return error;
      if (run.RunState == StopRequest::kConfirmed) break;
    }
  }
  --run.CurrentDepth;
  return 0;
}

}  // namespace

WalkPlan WalkPlanFor(const RunSession& session, const std::string& root) {
  const bool pictures = session.form.chkGazoHtml.Value() == 1;
  WalkPlan plan;
  plan.root = EndsWith(root, '\\') ? root : root + '\\';
  plan.mask = kEverything;
  plan.subfolders = session.form.chkSubDir.Value() == 1;
  // Thumbnail folders are passed over as the walk passes them over, so that
  // reading ahead goes on past them; a folder of that name that is not ours
  // only makes the walk list the rest by itself.
  plan.enters = [](const std::string&, const FolderEntry& entry, bool first) {
    return !Skipped(entry, first) && (*entry.attributes & kAttrDirectory) &&
           !EqualsIgnoreCase(entry.name, kThumbnailFolder);
  };
  plan.headBytes = std::max(kGifHeaderBytes, session.platform.pictures.HeadBytes());
  // Only the formats taken at Start: a file of a format turned on later is
  // read by the walk itself. A GIF is measured from its first fields alone.
  plan.headBytesOf = [pictures, bmp = session.form.chkBmp.Value() == 1,
                      newer = session.run.MoreFormats,
                      most = plan.headBytes](std::string_view name) -> std::size_t {
    if (!pictures) return 0;
    switch (KindOf(name, bmp, newer)) {
      case PictureKind::kNone:
        return 0;
      case PictureKind::kGif:
        return kGifHeaderBytes;
      case PictureKind::kHeif:
      case PictureKind::kOther:
        return most;
    }
    return 0;
  };
  return plan;
}

std::int16_t WalkFolder(RunSession& session, std::string folder) {
  // Read ahead only from a folder the walk is sure to list.
  std::unique_ptr<WalkAhead> ahead;
  if (session.run.RunState != StopRequest::kConfirmed) {
    ahead = session.platform.files.StartWalkAhead(WalkPlanFor(session, folder));
  }
  return Walker(session, std::move(ahead)).Walk(std::move(folder));
}

}  // namespace zb
