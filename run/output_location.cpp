#include "run/output_location.h"

#include "context/run_messages.h"
#include "scan/delete_question.h"
#include "scan/run_session.h"
#include "text/letter_case.h"
#include "text/text_util.h"

namespace zb {
namespace {

std::string WindowsDriveRoot(System& system) {
  std::string windows = TrimAtNul(system.WindowsDirectory());
  return std::string(1, windows.empty() ? 'C' : windows[0]) + ":\\";
}

// Returns once the file is gone; after three refusals the program ends.
void RemoveBlockingFile(Platform& platform, const std::string& path) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (ConfirmDeleteFile(platform, path) == 1) return;
    platform.dialogs.Show(BlockingFileMessage(path));
  }
  platform.dialogs.Show(FileErrorMessage());
  platform.system.EndProgram(1);
}

}  // namespace

std::string DefaultListPath(System& system) {
  return WindowsDriveRoot(system) + kDefaultFolderName + "\\" + kListFileName;
}

void PrepareDefaultOutputFolder(RunSession& session) {
  if (session.form.chkSameDir.Value() == 1) return;
  const std::string root = WindowsDriveRoot(session.platform.system);
  bool found = false;
  if (auto listing = session.platform.files.ListFolder(root, kAttrDirectory)) {
    FolderEntry entry;
    while (!found && listing->Next(entry)) {
      if (entry.name == "." || entry.name == ".." ||
          !EqualsIgnoreCase(entry.name, kDefaultFolderName)) {
        continue;
      }
      if (entry.attributes && (*entry.attributes & kAttrDirectory)) {
        found = true;
      } else {
        RemoveBlockingFile(session.platform, root + entry.name);
      }
    }
  }
  if (!found) session.platform.files.MakeFolder(root + kDefaultFolderName);
  session.run.ListPath = DefaultListPath(session.platform.system);
  session.form.txtOLESakusei.SetText(session.run.ListPath);
}

void DeriveOutputNames(RunSession& session) {
  RunContext& run = session.run;
  run.PagePath = run.ListPath;
  const std::size_t slash = run.PagePath.rfind('\\');
  const std::size_t p = slash == std::string::npos ? 0 : slash + 1;
  run.OutputFolder = run.PagePath.substr(0, p);
  run.ListFileName = run.PagePath.substr(p);
  if (!EndsWith(run.SearchRoot, '\\')) run.SearchRoot += '\\';
}

}  // namespace zb
