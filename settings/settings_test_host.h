#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "settings/restore_settings.h"
#include "settings/settings_keys.h"
#include "window/form_lifecycle.h"
#include "window/program.h"
#include "window/restore_paths.h"

namespace zb {

// For tests: fake host services around the settings store the test chooses,
// and programs that start on them as the window starts.
class SettingsTestHost {
 public:
  explicit SettingsTestHost(SettingsStore* store = nullptr, CrashMarkerStore* marker = nullptr)
      : platform{fake.files,   fake.encoding,   store ? *store : fake.settings,
                 fake.dialogs, fake.shell,      fake.pictures,
                 fake.system,  fake.thumbnails, marker ? *marker : fake.crashMarker} {}

  // A value in the fake store's option section.
  void Store(const std::string& key, const std::string& value) {
    fake.settings.values[{"Zorbelle", kOptionsSection, key}] = value;
  }
  // Loaded, with the paths restored as the first activation does.
  std::unique_ptr<Program> Start() {
    auto program = std::make_unique<Program>(platform);
    Form_Load(*program);
    RestorePaths(*program);
    return program;
  }

  FakePlatform fake;
  Platform platform;
};

// What a user sees of the options, the paths and the controls they enable.
inline std::vector<std::string> Describe(const MainForm& f) {
  std::vector<std::string> seen;
  const auto add = [&seen](const char* name, const Control& c, const std::string& value) {
    seen.push_back(std::string(name) + "=" + value + (c.Enabled() ? "" : " (disabled)"));
  };
  for (const auto& [name, box] : {std::pair{"chkGazoHtml", &f.chkGazoHtml},
                                  {"chkBmp", &f.chkBmp},
                                  {"chkHtmlBr", &f.chkHtmlBr},
                                  {"chkAllFileList", &f.chkAllFileList},
                                  {"chkLelative", &f.chkLelative},
                                  {"chkSameDir", &f.chkSameDir},
                                  {"chkSubDir", &f.chkSubDir},
                                  {"chkTable1", &f.chkTable1},
                                  {"chkFileName", &f.chkFileName}}) {
    add(name, *box, std::to_string(box->Value()));
  }
  add("hscGazoSuu", f.hscGazoSuu, std::to_string(f.hscGazoSuu.Value()) + " " + f.lGazosu.Caption());
  add("hscThumbnail", f.hscThumbnail,
      std::to_string(f.hscThumbnail.Value()) + " " + f.LblThumbnail.Caption());
  add("txtOLEKensaku", f.txtOLEKensaku, f.txtOLEKensaku.Text());
  add("txtOLESakusei", f.txtOLESakusei, f.txtOLESakusei.Text());
  add("cmdWriteDirSet", f.cmdWriteDirSet, "");
  add("Dir1", f.Dir1, f.Drive1.Drive() + " " + f.Dir1.Path());
  for (std::size_t i = 0; i < f.mnuOptionItem.size(); ++i) {
    add("mnuOptionItem", f.mnuOptionItem[i], f.mnuOptionItem[i].Checked() ? "True" : "False");
  }
  add("frmTable1", f.frmTable1, "");
  add("cmbFontSize", f.cmbFontSize, f.cmbFontSize.Text());
  add("cmbGazoSuu", f.cmbGazoSuu, f.cmbGazoSuu.Text());
  add("frmOptWin2", f.frmOptWin2, "");
  for (const OptionButton& button : f.optWin2) add("optWin2", button, button.Value() ? "1" : "0");
  add("Window", f.Window, f.Window.WhiteBackground() ? "white" : "gradient");
  return seen;
}

}  // namespace zb
