#pragma once

namespace zb {

struct Program;

void LockWindowForRun(Program& program);
void UnlockWindowAfterRun(Program& program);
void chkSpeed_Click(Program& program);
// Points the guide arrow at Start (index 0) or View (index 1); -1 hides both.
void PointGuideArrowAt(Program& program, int index);

}  // namespace zb
