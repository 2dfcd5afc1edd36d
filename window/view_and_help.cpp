#include "window/view_and_help.h"

#include "about/home_page.h"
#include "run/run_lockout.h"
#include "text/text_util.h"
#include "window/program.h"

namespace zb {
namespace {

void OpenListPage(Program& program) {
  if (program.form.chkGazoHtml.Value() == 1) {
    program.platform.shell.Open("", program.session.run.ListPath, "c:\\");
  }
}

void OpenAllFileList(Program& program) {
  if (program.form.chkAllFileList.Value() == 1) {
    program.platform.shell.Open("", program.session.run.OutputFolder + "allfile.txt", "c:\\");
  }
}

MessageBox MissingReadmeMessage() {
  return {"readme.txt が見つかりません。", "★Zorbelle♪からのお知らせ"};
}

}  // namespace

void cmdView_Click(Program& program) {
  OpenListPage(program);
  OpenAllFileList(program);
  PointGuideArrowAt(program.form, 0);
  program.platform.system.TrimWorkingSet();
}

void mnuViewItem_Click(Program& program, int index) {
  if (index == 0) {
    OpenListPage(program);
  } else {
    OpenAllFileList(program);
  }
  PointGuideArrowAt(program.form, 0);
}

void mnuHelpItem_Click(Program& program, int index, const std::function<void()>& showAbout) {
  switch (index) {
    case 0:
      return cmdInternet_Click(program);
    case 1:
      if (showAbout) showAbout();
      return;
    case 2:
      return OpenReadme(program);
  }
}

void cmdInternet_Click(Program& program) { OpenHomePage(program.platform.shell); }

void OpenReadme(Program& program) {
  System& system = program.platform.system;
  for (const std::string& folder : {system.ProgramFolder(), system.DocumentFolder()}) {
    const std::string readme = folder + (EndsWith(folder, '\\') ? "" : "\\") + "readme.txt";
    if (!folder.empty() && system.FileExists(readme)) {
      return program.platform.shell.Open("", readme, folder);
    }
  }
  // The shell would say nothing about a file that is not there.
  program.platform.dialogs.Show(MissingReadmeMessage());
}

}  // namespace zb
