#pragma once

#include <string>

namespace zb {

struct Program;

// Puts the stored options into their controls while the window loads. A
// stored value the control cannot take falls back to the key's default.
void RestoreSettings(Program& program);

// On the window's first activation: the stored output list file (emptied
// when its folder is gone) and the stored search folder, which the drive and
// folder lists move to; when it is gone they stay at their start-up folder.
void RestorePaths(Program& program);

// The search path stored by default: "c:\_Zorbelle\_gazlist.htm" for "c:".
std::string DefaultSearchPath(const std::string& drive);

}  // namespace zb
