// Hostile settings files: the input is the option section's file and the
// crash marker's file. Restoring from it must give controls within their
// ranges; saving what was restored and restoring again must give the same
// window; any UTF-8 text, the input itself included, must be stored and read
// back byte for byte, and the INI escaping must undo itself.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/require.h"
#include "platform/fake/fake_platform.h"
#include "platform/posix/ini_crash_marker_store.h"
#include "platform/posix/ini_settings_store.h"
#include "platform/posix/testing/test_folder.h"
#include "settings/crash_marker.h"
#include "settings/restore_settings.h"
#include "settings/save_settings.h"
#include "settings/settings_keys.h"
#include "text/ini_text.h"
#include "text/utf8.h"
#include "window/program.h"
#include "window/restore_paths.h"

namespace {

// The window as the stored options set it.
std::vector<std::string> Options(const zb::MainForm& f) {
  std::vector<std::string> options;
  for (const zb::CheckBox* box :
       {&f.chkGazoHtml, &f.chkBmp, &f.chkHtmlBr, &f.chkAllFileList, &f.chkLelative, &f.chkSameDir,
        &f.chkSubDir, &f.chkTable1, &f.chkFileName}) {
    zb::Require(box->Value() >= 0 && box->Value() <= 2);
    options.push_back(std::to_string(box->Value()));
  }
  for (const zb::ScrollBar* bar : {&f.hscGazoSuu, &f.hscThumbnail}) {
    zb::Require(bar->Value() >= bar->Min() && bar->Value() <= bar->Max());
    options.push_back(std::to_string(bar->Value()));
  }
  for (const auto& item : f.mnuOptionItem) options.push_back(item.Checked() ? "T" : "F");
  for (const auto& button : f.optWin2) options.push_back(button.Value() ? "T" : "F");
  options.insert(options.end(), {f.cmbFontSize.Text(), f.cmbGazoSuu.Text(), f.txtOLEKensaku.Text(),
                                 f.txtOLESakusei.Text()});
  return options;
}

struct Restored {
  Restored(zb::SettingsStore& store, zb::CrashMarkerStore& marker)
      : platform{fake.platform.With(store).With(marker)} {
    zb::RestoreSettings(program.form, program.platform);
    zb::RestorePaths(program);
  }
  zb::FakePlatform fake;
  zb::Platform platform;
  zb::Program program{platform};
};

bool IsUtf8(std::string_view text) {
  while (!text.empty()) {
    if (!zb::TakeCodePoint(text)) return false;
  }
  return true;
}

void WriteFile(const std::string& path, std::string_view text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zb::TestFolder* folder = new zb::TestFolder;
  const std::string config = folder->Host("config");
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::filesystem::create_directories(config + "/Zorbelle");
  WriteFile(config + "/Zorbelle/" + zb::kOptionsSection + ".ini", text);
  WriteFile(config + "/Zorbelle/" + zb::kCrashMarkerSection + ".ini", text);

  zb::Require(zb::UnescapeIniText(zb::EscapeIniText(text, " \t=:[]")) == text);

  zb::IniSettingsStore store(config);
  zb::IniCrashMarkerStore marker(config);
  std::vector<std::string> first;
  {
    Restored restored(store, marker);
    zb::CheckCrashMarker(restored.program.platform);  // offers, but nothing is answered Yes
    zb::Require(restored.fake.files.Deleted().empty());
    first = Options(restored.program.form);
    zb::SaveSettings(restored.program.form, restored.program.platform);
  }
  zb::Require(Options(Restored(store, marker).program.form) == first);

  // Texts inside the program are UTF-8; those come back byte for byte.
  if (!IsUtf8(text)) return 0;
  if (store.Write("Zorbelle", zb::kOptionsSection, "Fuzz", text)) {
    zb::Require(store.Read("Zorbelle", zb::kOptionsSection, "Fuzz", {}) == text);
  }
  if (marker.Write("Zorbelle", text)) zb::Require(marker.Read("Zorbelle", {}) == text);
  return 0;
}
