#include "settings/save_settings.h"

#include <string>

#include "settings/crash_marker.h"
#include "settings/settings_messages.h"
#include "settings/stored_options.h"
#include "window/program.h"

namespace zb {
namespace {

std::string Flag(const MenuItem& item) { return item.Checked() ? "True" : "False"; }

std::string Number(int value) { return std::to_string(value); }

}  // namespace

void SaveSettings(Program& program) {
  const MainForm& f = program.form;
  StoredOptions(program).WriteAll({
      {"chkGazoHtml", Number(f.chkGazoHtml.Value())},
      {"chkBmp", Number(f.chkBmp.Value())},
      {"chkHtmlBr", Number(f.chkHtmlBr.Value())},
      {"chkAllFileList", Number(f.chkAllFileList.Value())},
      {"chkLelative", Number(f.chkLelative.Value())},
      {"chkSameDir", Number(f.chkSameDir.Value())},
      {"chkSubDir", Number(f.chkSubDir.Value())},
      {"hscGazoSuu", Number(f.hscGazoSuu.Value())},
      {"hscThumbnail", Number(f.hscThumbnail.Value())},
      {"txtOLEKensaku", f.txtOLEKensaku.Text()},
      {"txtOLESakusei", f.txtOLESakusei.Text()},
      {"mnuOptionItem0", Flag(f.mnuOptionItem[0])},
      {"mnuOptionItem1", Flag(f.mnuOptionItem[1])},
      {"chkTable1", Number(f.chkTable1.Value())},
      {"cmbFontSize", f.cmbFontSize.Text()},
      {"cmbGazoSuu", f.cmbGazoSuu.Text()},
      {"chkFileName", Number(f.chkFileName.Value())},
      {"optWin2", f.optWin2[2].Value()   ? "2"
                  : f.optWin2[1].Value() ? "1"
                                         : "0"},
  });
}

void ReportIfSettingsCannotBeSaved(Program& program) {
  // The marker is clean once the start-up check has run, so writing it clean
  // again changes nothing; it is the write every run makes anyway.
  if (!ClearCrashMarker(program.platform)) {
    program.platform.dialogs.Show(SettingsCannotBeSavedMessage());
  }
}

}  // namespace zb
