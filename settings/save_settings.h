#pragma once

namespace zb {

struct MainForm;
struct Platform;

// Writes every option and both path fields as the window closes, in a fixed
// order, whether or not anything changed. A store that cannot be written is
// reported at start-up, not here: the program ends right after this.
void SaveSettings(const MainForm& form, Platform& platform);

// Start-up: tries the store once and, when it cannot be written, says so;
// the program runs on without saving.
void ReportIfSettingsCannotBeSaved(Platform& platform);

}  // namespace zb
