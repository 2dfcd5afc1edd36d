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

// Options added later are written only once used, so that a user who never
// turns them on keeps exactly the settings file of before.
void WriteLaterOption(StoredOptions& stored, const char* key, const MenuItem& item) {
  if (item.Checked() || stored.Has(key)) stored.Write(key, Flag(item));
}

}  // namespace

void SaveSettings(Program& program) {
  const MainForm& f = program.form;
  StoredOptions stored(program);
  stored.Write("chkGazoHtml", Number(f.chkGazoHtml.Value()));
  stored.Write("chkBmp", Number(f.chkBmp.Value()));
  stored.Write("chkHtmlBr", Number(f.chkHtmlBr.Value()));
  stored.Write("chkAllFileList", Number(f.chkAllFileList.Value()));
  stored.Write("chkLelative", Number(f.chkLelative.Value()));
  stored.Write("chkSameDir", Number(f.chkSameDir.Value()));
  stored.Write("chkSubDir", Number(f.chkSubDir.Value()));
  stored.Write("hscGazoSuu", Number(f.hscGazoSuu.Value()));
  stored.Write("hscThumbnail", Number(f.hscThumbnail.Value()));
  stored.Write("txtOLEKensaku", f.txtOLEKensaku.Text());
  stored.Write("txtOLESakusei", f.txtOLESakusei.Text());
  stored.Write("mnuOptionItem0", Flag(f.mnuOptionItem[0]));
  stored.Write("mnuOptionItem1", Flag(f.mnuOptionItem[1]));
  stored.Write("chkTable1", Number(f.chkTable1.Value()));
  stored.Write("cmbFontSize", f.cmbFontSize.Text());
  stored.Write("cmbGazoSuu", f.cmbGazoSuu.Text());
  stored.Write("chkFileName", Number(f.chkFileName.Value()));
  stored.Write("optWin2", f.optWin2[2].Value() ? "2" : f.optWin2[1].Value() ? "1" : "0");
  WriteLaterOption(stored, "mnuOptionItem2", f.mnuOptionItem[2]);
  WriteLaterOption(stored, "mnuOptionItem3", f.mnuOptionItem[3]);
}

void ReportIfSettingsCannotBeSaved(Program& program) {
  // The marker is clean once the start-up check has run, so writing it clean
  // again changes nothing; it is the write every run makes anyway.
  if (!ClearCrashMarker(program.platform)) {
    program.platform.dialogs.Show(SettingsCannotBeSavedMessage());
  }
}

}  // namespace zb
