#include "settings/crash_marker.h"

#include "platform/platform.h"

namespace zb {

void ArmCrashMarker(Platform& platform, const std::string& picturePath) {
  platform.settings.Write(platform.system.ProgramTitle(), kCrashMarkerSection, kCrashMarkerKey,
                          picturePath);
}

void ClearCrashMarker(Platform& platform) { ArmCrashMarker(platform, ""); }

}  // namespace zb
