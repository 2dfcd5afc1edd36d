#include "window/file_menu.h"

#include "window/form_lifecycle.h"
#include "window/path_field_validation.h"
#include "window/program.h"

namespace zb {

OpenFileRequest ListFileRequest(const std::string& startAt) {
  return {"ＨＴＭＬ ファイル (*.htm)", "*.htm", /*pathMustExist=*/true, startAt};
}

std::string BrowseForFile(Program& program, const std::string& startAt) {
  return program.platform.dialogs.OpenFile(ListFileRequest(startAt)).value_or("");
}

void cmdWriteDirSet_Click(Program& program) {
  const std::string chosen = BrowseForFile(program, program.form.txtOLESakusei.Text());
  if (chosen.empty()) return;
  program.form.txtOLESakusei.SetText(chosen);
  program.session.run.ListPath = chosen;
}

void mnuFileItem_Click(Program& program, int index) {
  switch (index) {
    case 0:
      if (const std::string chosen = BrowseForFile(program, program.form.Dir1.Path());
          !chosen.empty()) {
        SelectSearchFolder(program, ResolveFolder(program, chosen));
      }
      return;
    case 1:
      return cmdWriteDirSet_Click(program);
    case 3:
      return Form_Unload(program);
  }
}

}  // namespace zb
