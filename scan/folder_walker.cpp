#include "scan/folder_walker.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/walk_ahead.h"
#include "run/text_util.h"
#include "scan/picture_kind.h"
#include "scan/process_file.h"
#include "thumbnail/thumbnail_names.h"
#include "window/program.h"

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
bool IsThumbnailFolder(Program& program, const std::string& folder, const std::string& name) {
  return EqualsIgnoreCase(name, kThumbnailFolder) &&
         program.platform.files.GetAttributes(folder + name + "\\" + kThumbnailOwnerMark)
             .has_value();
}

class Walker {
 public:
  Walker(Program& program, std::unique_ptr<WalkAhead> ahead)
      : program_(program), ahead_(std::move(ahead)) {}

  std::int16_t Walk(std::string folder);

 private:
  std::int16_t ListFiles(const std::string& folder, std::vector<std::string>& subfolders);

  Program& program_;
  std::unique_ptr<WalkAhead> ahead_;
  std::string path_;  // one buffer for every file's path
};

// Lists the folder, handing its files to ProcessFile at once and keeping only
// the names of its sub-folders. A folder already entered in this run (a link
// back up the tree) is not listed again.
std::int16_t Walker::ListFiles(const std::string& folder, std::vector<std::string>& subfolders) {
  std::unique_ptr<FolderListing> listing = ahead_ ? ahead_->ListFolder(folder) : nullptr;
  if (!listing) listing = program_.platform.files.ListFolder(folder, kEverything);
  if (!listing || !program_.enteredFolders.insert(listing->Id()).second) return 0;
  FolderEntry entry;
  for (bool first = true; listing->Next(entry); first = false) {
    if (Skipped(entry, first)) continue;
    program_.CurrentEntry = entry.name;
    if (*entry.attributes & kAttrDirectory) {
      if (!IsThumbnailFolder(program_, folder, entry.name)) subfolders.push_back(entry.name);
      continue;
    }
    path_.assign(folder).append(entry.name);
    if (std::int16_t error = ProcessFile(program_, path_, listing->Head())) return error;
  }
  return 0;
}

std::int16_t Walker::Walk(std::string folder) {
  RunContext& run = program_.run;
  program_.platform.system.YieldToEvents();
  ++run.CurrentDepth;
  if (run.MaxDepth < run.CurrentDepth) run.MaxDepth = run.CurrentDepth;
  if (run.RunState == 2) return 0;
  if (!EndsWith(folder, '\\')) folder += '\\';

  std::vector<std::string> subfolders;
  if (std::int16_t error = ListFiles(folder, subfolders)) return error;
  if (program_.form.chkSubDir.Value() == 1) {
    for (const std::string& name : subfolders) {
      if (std::int16_t error = Walk(folder + name)) return error;
      if (run.RunState == 2) break;
    }
  }
  --run.CurrentDepth;
  return 0;
}

}  // namespace

WalkPlan WalkPlanFor(const Program& program, const std::string& root) {
  const bool pictures = program.form.chkGazoHtml.Value() == 1;
  WalkPlan plan;
  plan.root = EndsWith(root, '\\') ? root : root + '\\';
  plan.mask = kEverything;
  plan.subfolders = program.form.chkSubDir.Value() == 1;
  // Thumbnail folders are passed over as the walk passes them over, so that
  // reading ahead goes on past them; a folder of that name that is not ours
  // only makes the walk list the rest by itself.
  plan.enters = [](const std::string&, const FolderEntry& entry, bool first) {
    return !Skipped(entry, first) && (*entry.attributes & kAttrDirectory) &&
           !EqualsIgnoreCase(entry.name, kThumbnailFolder);
  };
  plan.headBytes = std::max(kGifHeaderBytes, program.platform.pictures.HeadBytes());
  // Only the formats taken at Start: a file of a format turned on later is
  // read by the walk itself. A GIF is measured from its first fields alone.
  plan.headBytesOf = [pictures, bmp = program.form.chkBmp.Value() == 1,
                      newer = program.run.MoreFormats == 1,
                      most = plan.headBytes](std::string_view name) -> std::size_t {
    if (!pictures) return 0;
    switch (KindOf(name, bmp, newer)) {
      case PictureKind::kNone:
        return 0;
      case PictureKind::kGif:
        return kGifHeaderBytes;
      case PictureKind::kOther:
        return most;
    }
    return 0;
  };
  return plan;
}

std::int16_t WalkFolder(Program& program, std::string folder) {
  // Read ahead only from a folder the walk is sure to list.
  std::unique_ptr<WalkAhead> ahead;
  if (program.run.RunState != 2) {
    ahead = program.platform.files.StartWalkAhead(WalkPlanFor(program, folder));
  }
  return Walker(program, std::move(ahead)).Walk(std::move(folder));
}

}  // namespace zb
