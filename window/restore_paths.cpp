#include "window/restore_paths.h"

#include "settings/restore_settings.h"
#include "settings/stored_options.h"
#include "window/folder_resolution.h"
#include "window/path_fields.h"
#include "window/program.h"

namespace zb {

void RestorePaths(Program& program) {
  MainForm& f = program.form;
  StoredOptions stored(program.platform);
  const std::string output = stored.Text("txtOLESakusei", "");
  f.txtOLESakusei.SetText(output);
  program.session.run.ListPath = output;
  if (ResolveFolder(program, output).code == Resolution::kRejected) {
    f.txtOLESakusei.SetText("");
    program.session.run.ListPath.clear();
  }

  f.txtOLEKensaku.SetText(stored.Text("txtOLEKensaku", DefaultSearchPath(f.Drive1.Drive())));
  const std::string startFolder = f.Dir1.Path();
  const ResolvedFolder search = ResolveFolder(program, f.txtOLEKensaku.Text());
  // A folder that went away just now: the fields keep what they hold.
  if (search.code != Resolution::kRejected && !MoveFolderList(program, search.folder)) return;
  // Lists that did not move fire no change, yet the fields must show their
  // folder, and "same folder" must fill the output from it.
  if (f.Dir1.Path() == startFolder) Dir1_Change(program);
}

}  // namespace zb
