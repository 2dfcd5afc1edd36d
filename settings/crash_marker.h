#pragma once

#include <string>

#include "platform/crash_marker_store.h"

namespace zb {

struct Platform;

// Records the picture about to be loaded, so that the next start can name it
// if loading brings the process down. False when the store did not take it.
bool ArmCrashMarker(Platform& platform, const std::string& picturePath);
bool ClearCrashMarker(Platform& platform);

// Start-up: names the picture a previous run died on and offers to delete
// that one file; the marker is clean afterwards, whatever the answer.
void CheckCrashMarker(Platform& platform);

}  // namespace zb
