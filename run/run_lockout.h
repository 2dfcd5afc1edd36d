#pragma once

namespace zb {

struct MainForm;
struct RunSession;

void LockWindowForRun(RunSession& session);
void UnlockWindowAfterRun(RunSession& session);
void chkSpeed_Click(RunSession& session);
// Points the guide arrow at Start (index 0) or View (index 1); -1 hides both.
void PointGuideArrowAt(MainForm& form, int index);

}  // namespace zb
