#pragma once

#include <functional>
#include <string>

#include "platform/platform.h"

namespace zb {

// The end of --help: options not given keep their saved values, and which
// those are now. Loads the window model as a start does, but neither asks
// nor writes anything.
// servicesWith gives the host services around the dialogs it is handed.
std::string SavedOptionsHelp(const std::function<Platform(Dialogs&)>& servicesWith);

}  // namespace zb
