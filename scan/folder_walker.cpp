#include "scan/folder_walker.h"

#include <vector>

#include "run/text_util.h"
#include "scan/picture_kind.h"
#include "scan/process_file.h"
#include "window/program.h"

namespace zb {
namespace {

constexpr std::uint32_t kEverything = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrDirectory;

constexpr std::size_t kBatch = 256;

bool Skipped(const FolderEntry& entry, bool first) {
  return (!first && EqualsIgnoreCase(entry.name, "pagefile.sys")) || entry.name == "." ||
         entry.name == ".." || !entry.attributes;
}

// Tells the loader which pictures of the batch it will be asked to measure,
// so that it can read them while the batch is handled.
void ExpectPictures(Program& program, const std::string& folder,
                    const std::vector<FolderEntry>& batch) {
  const MainForm& f = program.form;
  if (f.chkGazoHtml.Value() != 1) return;
  for (const FolderEntry& entry : batch) {
    if (*entry.attributes & kAttrDirectory) continue;
    const std::string path = folder + entry.name;
    if (KindOf(path, f.chkBmp.Value() == 1) == PictureKind::kOther) {
      program.platform.pictures.Expect(path);
    }
  }
}

// Lists the folder, handing its files to ProcessFile a batch at a time and
// keeping only the names of its sub-folders. A folder already entered in
// this run (a link back up the tree) is not listed again.
std::int16_t ListFiles(Program& program, const std::string& folder,
                       std::vector<std::string>& subfolders) {
  auto listing = program.platform.files.ListFolder(folder, kEverything);
  if (!listing || !program.enteredFolders.insert(listing->Id()).second) return 0;
  std::vector<FolderEntry> batch;
  bool first = true;
  for (bool more = true; more;) {
    batch.clear();
    FolderEntry entry;
    while (batch.size() < kBatch && (more = listing->Next(entry))) {
      if (!Skipped(entry, first)) batch.push_back(entry);
      first = false;
    }
    ExpectPictures(program, folder, batch);
    for (const FolderEntry& e : batch) {
      program.CurrentEntry = e.name;
      if (*e.attributes & kAttrDirectory) {
        subfolders.push_back(e.name);
      } else if (std::int16_t error = ProcessFile(program, folder + e.name)) {
        return error;
      }
    }
  }
  return 0;
}

}  // namespace

std::int16_t WalkFolder(Program& program, std::string folder) {
  RunContext& run = program.run;
  program.platform.system.YieldToEvents();
  ++run.CurrentDepth;
  if (run.MaxDepth < run.CurrentDepth) run.MaxDepth = run.CurrentDepth;
  if (run.RunState == 2) return 0;
  if (!EndsWith(folder, '\\')) folder += '\\';

  std::vector<std::string> subfolders;
  if (std::int16_t error = ListFiles(program, folder, subfolders)) return error;
  if (program.form.chkSubDir.Value() == 1) {
    for (const std::string& name : subfolders) {
      if (std::int16_t error = WalkFolder(program, folder + name)) return error;
      if (run.RunState == 2) break;
    }
  }
  --run.CurrentDepth;
  return 0;
}

}  // namespace zb
