#include "settings/restore_settings.h"

#include <algorithm>
#include <string>

#include "run/text_util.h"
#include "settings/settings_keys.h"
#include "window/program.h"

namespace zb {
namespace {

class OptionReader {
 public:
  explicit OptionReader(Program& program)
      : program_(program), app_(program.platform.system.ProgramTitle()) {}

  std::string Text(const char* key, const std::string& fallback) {
    return program_.platform.settings.Read(app_, kOptionsSection, key, fallback);
  }
  int Number(const char* key, int fallback, int min, int max) {
    long value = 0;
    if (!ParseInt(Text(key, std::to_string(fallback)), value) || value < min || value > max) {
      return fallback;
    }
    return static_cast<int>(value);
  }
  bool Flag(const char* key, bool fallback) {
    const std::string text = Text(key, fallback ? "True" : "False");
    if (EqualsIgnoreCase(text, "True")) return true;
    if (EqualsIgnoreCase(text, "False")) return false;
    return fallback;
  }

 private:
  Program& program_;
  std::string app_;
};

}  // namespace

void RestoreSettings(Program& program) {
  MainForm& f = program.form;
  OptionReader stored(program);
  f.chkGazoHtml.SetValue(stored.Number("chkGazoHtml", 1, 0, 2));
  f.chkBmp.SetValue(stored.Number("chkBmp", 1, 0, 2));
  f.chkHtmlBr.SetValue(stored.Number("chkHtmlBr", 0, 0, 2));
  f.chkAllFileList.SetValue(stored.Number("chkAllFileList", 0, 0, 2));
  f.chkLelative.SetValue(stored.Number("chkLelative", 1, 0, 2));
  f.chkSameDir.SetValue(stored.Number("chkSameDir", 1, 0, 2));
  f.chkSubDir.SetValue(stored.Number("chkSubDir", 1, 0, 2));
  f.hscGazoSuu.SetValue(stored.Number("hscGazoSuu", 100, f.hscGazoSuu.Min(), f.hscGazoSuu.Max()));
  f.hscThumbnail.SetValue(
      stored.Number("hscThumbnail", 100, f.hscThumbnail.Min(), f.hscThumbnail.Max()));
  f.mnuOptionItem[0].SetChecked(stored.Flag("mnuOptionItem0", false));
  f.mnuOptionItem[1].SetChecked(stored.Flag("mnuOptionItem1", false));
  f.chkTable1.SetValue(stored.Number("chkTable1", 0, 0, 2));
  f.cmbFontSize.SetText(stored.Text("cmbFontSize", "1"));
  std::string perRow = stored.Text("cmbGazoSuu", "3");
  const auto& rows = f.cmbGazoSuu.Items();
  if (std::find(rows.begin(), rows.end(), perRow) == rows.end()) perRow = "3";
  f.cmbGazoSuu.SetText(perRow);
  f.chkFileName.SetValue(stored.Number("chkFileName", 0, 0, 2));
  const std::string window = stored.Text("optWin2", "1");
  f.optWin2[window == "2" ? 2 : window == "1" ? 1 : 0].SetValue(true);
  // The change handler only runs when the value differs from the design value.
  program.run.ImagesPerPage = f.hscGazoSuu.Value();
}

}  // namespace zb
