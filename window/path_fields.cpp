#include "window/path_fields.h"

#include "platform/file_system.h"
#include "run/output_location.h"
#include "run/text_util.h"
#include "window/program.h"

namespace zb {
namespace {

bool IsFolder(Program& program, const std::string& path) {
  auto attributes = program.platform.files.GetAttributes(path);
  return attributes && (*attributes & kAttrDirectory);
}

// The folder list's own form: "C:\" for a root, no final "\" elsewhere.
std::string FolderListForm(std::string folder) {
  while (folder.size() > 3 && EndsWith(folder, '\\')) folder.pop_back();
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  return folder;
}

void ShowInternalError(Program& program) {
  program.platform.dialogs.Show(
      {"エラーだよ。でもこんなの起こり得ないけど。txtOLEKensaku_OLEDragDrop", "", Buttons::kOk,
       Icon::kNone, Answer::kOk});
}

}  // namespace

int FindLastChar(const std::string& text, char ch) {
  for (std::size_t i = text.size(); i > 0; --i) {
    if (EqualsIgnoreCase(std::string_view(&text[i - 1], 1), std::string_view(&ch, 1))) {
      return static_cast<int>(i);
    }
  }
  return 0;
}

ResolvedFolder ResolveParentFolder(Program& program, const std::string& path) {
  const std::string parent = path.substr(0, static_cast<std::size_t>(FindLastChar(path, '\\')));
  auto attributes = parent.empty() ? std::nullopt : program.platform.files.GetAttributes(parent);
  if (!attributes) return {};
  if (!(*attributes & kAttrDirectory)) ShowInternalError(program);
  return {Resolution::kParentOfFile, parent};
}

ResolvedFolder ResolveFolder(Program& program, const std::string& path) {
  if (path.empty() || path[0] == '\\') return {};
  auto attributes = program.platform.files.GetAttributes(path);
  if (!attributes) return ResolveParentFolder(program, path);
  if (*attributes & kAttrDirectory) {
    std::string folder = path;
    while (EndsWith(folder, '\\')) folder.pop_back();
    return {Resolution::kFolder, folder};
  }
  return ResolveParentFolder(program, path);
}

std::string SameFolderListPath(const std::string& folder) {
  return folder + (EndsWith(folder, '\\') ? "" : "\\") + kListFileName;
}

bool MoveFolderList(Program& program, const std::string& folder) {
  if (folder.size() < 2 || folder[1] != ':' || !IsFolder(program, folder)) return false;
  MainForm& f = program.form;
  f.Drive1.SetDrive(ToLowerAscii(folder.substr(0, 2)));
  f.Dir1.SetPath(FolderListForm(folder));
  return true;
}

void Drive1_Change(Program& program) {
  MainForm& f = program.form;
  const std::string drive = f.Drive1.Drive();
  // The list stays where it is when it is already on that drive or the
  // drive is not ready.
  if (EqualsIgnoreCase(f.Dir1.Path().substr(0, 2), drive)) return;
  const std::string root = drive + "\\";
  if (IsFolder(program, root)) f.Dir1.SetPath(FolderListForm(root));
}

void Dir1_Change(Program& program) {
  MainForm& f = program.form;
  f.File1.SetPath(f.Dir1.Path());
  f.txtOLEKensaku.SetText(f.Dir1.Path());
  if (f.chkSameDir.Value() == 1) {
    program.run.ListPath = SameFolderListPath(f.Dir1.Path());
    f.txtOLESakusei.SetText(program.run.ListPath);
  }
}

void chkSameDir_Click(Program& program) {
  MainForm& f = program.form;
  if (f.chkSameDir.Value() == 1) {
    program.run.ListPath = SameFolderListPath(f.Dir1.Path());
    f.txtOLESakusei.SetText(program.run.ListPath);
    f.txtOLESakusei.SetEnabled(false);
    f.cmdWriteDirSet.SetEnabled(false);
    f.chkLelative.SetValue(1);
    f.chkLelative.SetEnabled(true);
  } else {
    f.txtOLESakusei.SetEnabled(true);
    f.cmdWriteDirSet.SetEnabled(true);
    f.chkLelative.SetEnabled(false);
    program.run.ListPath = DefaultListPath(program);
    f.txtOLESakusei.SetText(program.run.ListPath);
  }
}

void txtOLESakusei_Change(Program& program) {
  program.run.ListPath = program.form.txtOLESakusei.Text();
}

}  // namespace zb
