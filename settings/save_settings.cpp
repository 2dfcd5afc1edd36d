#include "settings/save_settings.h"

#include <string>

#include "form/main_form.h"
#include "platform/platform.h"
#include "settings/crash_marker.h"
#include "settings/settings_messages.h"
#include "settings/stored_options.h"

namespace zb {
namespace {

std::string Flag(const MenuItem& item) { return item.Checked() ? "True" : "False"; }

std::string Number(int value) { return std::to_string(value); }

// Options added later are written only once used, so that a user who never
// turns them on keeps exactly the settings file of before.
void AddLaterOption(StoredOptions& stored, SettingsStore::Values& values, const char* key,
                    const MenuItem& item) {
  if (item.Checked() || stored.Has(key)) values.emplace_back(key, Flag(item));
}

}  // namespace

void SaveSettings(const MainForm& f, Platform& platform) {
  StoredOptions stored(platform);
  SettingsStore::Values values{
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
      {"mnuOptionItem0", Flag(f.mnuOptionItem[kOptionDeleteOddFiles])},
      {"mnuOptionItem1", Flag(f.mnuOptionItem[kOptionWhiteBackground])},
      {"chkTable1", Number(f.chkTable1.Value())},
      {"cmbFontSize", f.cmbFontSize.Text()},
      {"cmbGazoSuu", f.cmbGazoSuu.Text()},
      {"chkFileName", Number(f.chkFileName.Value())},
      {"optWin2", f.optWin2[2].Value()   ? "2"
                  : f.optWin2[1].Value() ? "1"
                                         : "0"},
  };
  AddLaterOption(stored, values, "mnuOptionItem2", f.mnuOptionItem[kOptionThumbnails]);
  AddLaterOption(stored, values, "mnuOptionItem3", f.mnuOptionItem[kOptionMoreFormats]);
  stored.WriteAll(values);
}

void ReportIfSettingsCannotBeSaved(Platform& platform) {
  // The marker is clean once the start-up check has run, so writing it clean
  // again changes nothing; it is the write every run makes anyway.
  if (!ClearCrashMarker(platform)) {
    platform.dialogs.Show(SettingsCannotBeSavedMessage());
  }
}

}  // namespace zb
