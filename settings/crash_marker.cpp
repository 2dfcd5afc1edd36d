#include "settings/crash_marker.h"

#include "platform/platform.h"
#include "settings/settings_messages.h"

namespace zb {

bool ArmCrashMarker(Platform& platform, const std::string& picturePath) {
  return platform.crashMarker.Write(platform.system.ProgramTitle(), picturePath);
}

bool ClearCrashMarker(Platform& platform) { return ArmCrashMarker(platform, ""); }

void CheckCrashMarker(Platform& host) {
  // "1" stands for a marker never written.
  const std::string path = host.crashMarker.Read(host.system.ProgramTitle(), "1");
  if (path.empty() || path == "1") return;
  if (host.dialogs.Show(CrashedPictureQuestion(path)) == Answer::kYes) {
    try {
      host.files.DeleteFile(path);
    } catch (const FileError&) {
      host.dialogs.Show(CrashedPictureNotDeletedMessage(path));
    }
  }
  ClearCrashMarker(host);
}

}  // namespace zb
