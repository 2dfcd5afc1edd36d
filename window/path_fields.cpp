#include "window/path_fields.h"

#include "platform/file_system.h"
#include "run/output_location.h"
#include "text/letter_case.h"
#include "text/text_util.h"
#include "window/folder_list_items.h"
#include "window/program.h"

namespace zb {
namespace {

bool IsFolder(Program& program, const std::string& path) {
  auto attributes = program.platform.files.GetAttributes(path);
  return attributes && (*attributes & kAttrDirectory);
}

std::string DriveOf(const std::string& folder) { return ToLowerAscii(folder.substr(0, 2)); }

}  // namespace

std::string SameFolderListPath(const std::string& folder) {
  return folder + (EndsWith(folder, '\\') ? "" : "\\") + kListFileName;
}

bool MoveFolderList(Program& program, const std::string& folder) {
  // Spelt as on disk once here, the walk below it and the output path
  // derived from it need no case-blind look-up.
  const std::string target = program.platform.files.SpelledAsOnDisk(FolderListForm(folder));
  if (target.empty() || !IsFolder(program, target)) return false;
  MainForm& f = program.form;
  f.Drive1.SetDrive(DriveOf(target));
  f.Dir1.SetPath(target);
  return true;
}

void RefreshFolderLists(Program& program) {
  Dir1_Change(program);
  FillFileList(program);
}

void OpenFolderLists(Program& program) {
  FillDriveList(program);
  const std::string windows = program.platform.system.WindowsDirectory();
  if (!windows.empty()) program.form.Drive1.SetDrive(DriveOf(windows));
}

void Drive1_Change(Program& program) {
  MainForm& f = program.form;
  const std::string drive = f.Drive1.Drive();
  if (EqualsIgnoreCase(f.Dir1.Path().substr(0, 2), drive)) return;
  const std::string root = FolderListForm(drive);
  if (!root.empty() && IsFolder(program, root)) {
    f.Dir1.SetPath(root);
  } else if (!f.Dir1.Path().empty()) {
    // A drive that is not ready: the list shows the folder list's drive again.
    f.Drive1.SetDrive(DriveOf(f.Dir1.Path()));
  }
}

void Dir1_Change(Program& program) {
  MainForm& f = program.form;
  FillFolderList(program);
  f.File1.SetPath(f.Dir1.Path());
  f.txtOLEKensaku.SetText(f.Dir1.Path());
  if (f.chkSameDir.Value() == 1) {
    program.session.run.ListPath = SameFolderListPath(f.Dir1.Path());
    f.txtOLESakusei.SetText(program.session.run.ListPath);
  }
}

void File1_Change(Program& program) { FillFileList(program); }

void chkSameDir_Click(Program& program) {
  MainForm& f = program.form;
  if (f.chkSameDir.Value() == 1) {
    program.session.run.ListPath = SameFolderListPath(f.Dir1.Path());
    f.txtOLESakusei.SetText(program.session.run.ListPath);
    f.txtOLESakusei.SetEnabled(false);
    f.cmdWriteDirSet.SetEnabled(false);
    f.chkLelative.SetValue(1);
    f.chkLelative.SetEnabled(true);
  } else {
    f.txtOLESakusei.SetEnabled(true);
    f.cmdWriteDirSet.SetEnabled(true);
    f.chkLelative.SetEnabled(false);
    program.session.run.ListPath = DefaultListPath(program.platform.system);
    f.txtOLESakusei.SetText(program.session.run.ListPath);
  }
}

void txtOLESakusei_Change(Program& program) {
  program.session.run.ListPath = program.form.txtOLESakusei.Text();
}

}  // namespace zb
