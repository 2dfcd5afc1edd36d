#pragma once

#include <string>

namespace zb {

struct Platform;
struct Program;

inline constexpr const char* kCrashMarkerSection = "PictureBox_LoadPicture_PgmEnd";
inline constexpr const char* kCrashMarkerKey = "aFileName";

// Records the picture about to be loaded, so that the next start can name it
// if loading brings the process down.
void ArmCrashMarker(Platform& platform, const std::string& picturePath);
void ClearCrashMarker(Platform& platform);

}  // namespace zb
