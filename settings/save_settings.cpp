#include "settings/save_settings.h"

#include <string>

#include "form/form_options.h"
#include "platform/platform.h"
#include "settings/crash_marker.h"
#include "settings/option_values.h"
#include "settings/settings_messages.h"
#include "settings/stored_options.h"

namespace zb {

void SaveSettings(const MainForm& f, Platform& platform) {
  StoredOptions stored(platform);
  SettingsStore::Values values;
  for (const FormOption& option : FormOptions()) {
    const std::string text = StoredText(option, f);
    if (!option.savedOnceUsed || text != option.fallback || stored.Has(option.key)) {
      values.emplace_back(option.key, text);
    }
  }
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
