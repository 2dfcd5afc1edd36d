#pragma once

namespace zb {

struct Program;

// On the window's first activation: the stored output list file (emptied
// when its folder is gone) and the stored search folder, which the drive and
// folder lists move to; when it is gone they stay at their start-up folder.
void RestorePaths(Program& program);

}  // namespace zb
