#pragma once

#include <string>

namespace zb {

class PosixPlatform;

// The end of --help: options not given keep their saved values, and which
// those are now. Loads the window model as a start does, but neither asks
// nor writes anything.
std::string SavedOptionsHelp(PosixPlatform& host);

}  // namespace zb
