#include "settings/restore_settings.h"

#include <algorithm>

#include "context/output_names.h"
#include "form/main_form.h"
#include "platform/platform.h"
#include "text/text_util.h"
#include "settings/stored_options.h"
#include "text/letter_case.h"

namespace zb {
namespace {

// Every restored check box clicks once, changed or not, so that the controls
// that depend on it follow the restored value whatever state the window was
// built in.
void Restore(CheckBox& box, int value) {
  if (box.Value() != value) {
    box.SetValue(value);
  } else if (box.Click) {
    box.Click();
  }
}

int CheckValue(StoredOptions& stored, const char* key, int fallback) {
  return stored.Number(key, fallback, 0, 2);
}

// A fixed list takes only the texts of its items.
void Restore(ComboBox& combo, std::string text, const char* fallback) {
  const auto& items = combo.Items();
  if (combo.FixedList() && std::find(items.begin(), items.end(), text) == items.end()) {
    text = fallback;
  }
  combo.SetText(std::move(text));
}

}  // namespace

void RestoreSettings(MainForm& f, Platform& platform) {
  StoredOptions stored(platform);
  Restore(f.chkGazoHtml, CheckValue(stored, "chkGazoHtml", 1));
  Restore(f.chkBmp, CheckValue(stored, "chkBmp", 1));
  Restore(f.chkHtmlBr, CheckValue(stored, "chkHtmlBr", 0));
  Restore(f.chkAllFileList, CheckValue(stored, "chkAllFileList", 0));
  // Ticking "same folder" ticks relative links too, so the stored choice of
  // links is put in after it.
  const int relative = CheckValue(stored, "chkLelative", 1);
  Restore(f.chkSameDir, CheckValue(stored, "chkSameDir", 1));
  Restore(f.chkLelative, relative);
  Restore(f.chkSubDir, CheckValue(stored, "chkSubDir", 1));
  f.hscGazoSuu.SetValue(stored.Number("hscGazoSuu", 100, f.hscGazoSuu.Min(), f.hscGazoSuu.Max()));
  f.hscThumbnail.SetValue(
      stored.Number("hscThumbnail", 100, f.hscThumbnail.Min(), f.hscThumbnail.Max()));
  f.mnuOptionItem[kOptionDeleteOddFiles].SetChecked(stored.Flag("mnuOptionItem0", false));
  f.mnuOptionItem[kOptionWhiteBackground].SetChecked(stored.Flag("mnuOptionItem1", false));
  Restore(f.chkTable1, CheckValue(stored, "chkTable1", 0));
  Restore(f.cmbFontSize, stored.Text("cmbFontSize", "1"), "1");
  Restore(f.cmbGazoSuu, stored.Text("cmbGazoSuu", "3"), "3");
  Restore(f.chkFileName, CheckValue(stored, "chkFileName", 0));
  const std::string window = stored.Text("optWin2", "1");
  const std::size_t selected = EqualsIgnoreCase(window, "2")   ? 2
                               : EqualsIgnoreCase(window, "1") ? 1
                                                               : 0;
  f.optWin2[selected].SetValue(true);
  f.mnuOptionItem[kOptionThumbnails].SetChecked(stored.Flag("mnuOptionItem2", false));
  f.mnuOptionItem[kOptionMoreFormats].SetChecked(stored.Flag("mnuOptionItem3", false));
}

std::string DefaultSearchPath(const std::string& drive) {
  return drive.substr(0, 1) + ":\\" + kDefaultFolderName + "\\" + kListFileName;
}

}  // namespace zb
