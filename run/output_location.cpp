#include "run/output_location.h"

#include "run/messages.h"
#include "run/text_util.h"
#include "text/letter_case.h"
#include "window/program.h"

namespace zb {
namespace {

std::string WindowsDriveRoot(Program& program) {
  std::string windows = TrimAtNul(program.platform.system.WindowsDirectory());
  return std::string(1, windows.empty() ? 'C' : windows[0]) + ":\\";
}

// Returns once the file is gone; after three refusals the program ends.
void RemoveBlockingFile(Program& program, const std::string& path) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (ConfirmDeleteFile(program, path) == 1) return;
    program.platform.dialogs.Show(BlockingFileMessage(path));
  }
  program.platform.dialogs.Show(FileErrorMessage());
  program.platform.system.EndProgram(1);
}

}  // namespace

std::string DefaultListPath(Program& program) {
  return WindowsDriveRoot(program) + kDefaultFolderName + "\\" + kListFileName;
}

void PrepareDefaultOutputFolder(Program& program) {
  if (program.form.chkSameDir.Value() == 1) return;
  const std::string root = WindowsDriveRoot(program);
  bool found = false;
  if (auto listing = program.platform.files.ListFolder(root, kAttrDirectory)) {
    FolderEntry entry;
    while (!found && listing->Next(entry)) {
      if (entry.name == "." || entry.name == ".." ||
          !EqualsIgnoreCase(entry.name, kDefaultFolderName)) {
        continue;
      }
      if (entry.attributes && (*entry.attributes & kAttrDirectory)) {
        found = true;
      } else {
        RemoveBlockingFile(program, root + entry.name);
      }
    }
  }
  if (!found) program.platform.files.MakeFolder(root + kDefaultFolderName);
  program.run.ListPath = DefaultListPath(program);
  program.form.txtOLESakusei.SetText(program.run.ListPath);
}

void DeriveOutputNames(Program& program) {
  RunContext& run = program.run;
  run.PagePath = run.ListPath;
  const std::size_t slash = run.PagePath.rfind('\\');
  const std::size_t p = slash == std::string::npos ? 0 : slash + 1;
  run.OutputFolder = run.PagePath.substr(0, p);
  run.ListFileName = run.PagePath.substr(p);
  if (!EndsWith(run.SearchRoot, '\\')) run.SearchRoot += '\\';
}

int ConfirmDeleteFile(Program& program, const std::string& path) {
  if (program.platform.dialogs.Show(DeleteQuestion(path)) != Answer::kYes) return 0;
  program.platform.files.DeleteFile(path);
  return 1;
}

int ConfirmDeleteFileBelow(Program& program, const std::string& folder, const std::string& path) {
  if (program.platform.dialogs.Show(DeleteQuestion(path)) != Answer::kYes) return 0;
  program.platform.files.DeleteFileBelow(folder, path);
  return 1;
}

}  // namespace zb
