#include "scan/folder_walker.h"

#include <vector>

#include "gallery/thumbnail_names.h"
#include "run/text_util.h"
#include "scan/process_file.h"
#include "window/program.h"

namespace zb {
namespace {

constexpr std::uint32_t kEverything = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrDirectory;

// A name holding a backslash, which no Windows listing gives, would name
// another path once joined to its folder ("..\x" one above it): it is passed
// over like an entry whose attributes cannot be read.
bool Skipped(const FolderEntry& entry, bool first) {
  return (!first && EqualsIgnoreCase(entry.name, "pagefile.sys")) || entry.name == "." ||
         entry.name == ".." || !entry.attributes || entry.name.find('\\') != std::string::npos;
}

// The program's own thumbnails (a folder that carries our mark) are never
// catalogued, even by a run made without thumbnails.
bool IsOwnThumbnailFolder(Program& program, const std::string& folder, const std::string& name) {
  return EqualsIgnoreCase(name, kThumbnailFolder) &&
         EqualsIgnoreCase(folder, program.run.OutputFolder) &&
         program.platform.files.GetAttributes(folder + name + "\\" + kThumbnailOwnerMark)
             .has_value();
}

// Lists the folder, handing its files to ProcessFile at once and keeping only
// the names of its sub-folders. A folder already entered in this run (a link
// back up the tree) is not listed again.
std::int16_t ListFiles(Program& program, const std::string& folder,
                       std::vector<std::string>& subfolders) {
  auto listing = program.platform.files.ListFolder(folder, kEverything);
  if (!listing || !program.enteredFolders.insert(listing->Id()).second) return 0;
  FolderEntry entry;
  for (bool first = true; listing->Next(entry); first = false) {
    if (Skipped(entry, first)) continue;
    program.CurrentEntry = entry.name;
    if (*entry.attributes & kAttrDirectory) {
      if (!IsOwnThumbnailFolder(program, folder, entry.name)) subfolders.push_back(entry.name);
    } else if (std::int16_t error = ProcessFile(program, folder + entry.name)) {
      return error;
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
