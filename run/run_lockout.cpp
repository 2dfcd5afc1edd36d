#include "run/run_lockout.h"

#include "form/form_options.h"
#include "scan/run_session.h"

namespace zb {
namespace {

// Controls other than the options that a run takes away, all given back.
void SetCommandsEnabled(MainForm& f, bool on) {
  SetEnabled({&f.cmdWriteDirSet, &f.mnuFileItem[0], &f.mnuFileItem[1], &f.mnuFileItem[3],
              &f.mnuViewItem[0], &f.mnuViewItem[1], &f.mnuRunItem[0]},
             on);
}

bool GivenBack(RunLock lock, const MainForm& f) {
  const bool gallery = f.chkGazoHtml.Value() != 0;
  switch (lock) {
    case RunLock::kWithGallery:
      return gallery;
    case RunLock::kWithGalleryTable:
      return gallery && f.chkTable1.Value() == 1;
    case RunLock::kWithoutSameFolderPages:
      return f.chkSameDir.Value() == 0;
    default:
      return true;
  }
}

}  // namespace

void LockWindowForRun(RunSession& session) {
  MainForm& f = session.form;
  SetEnabled({&f.Drive1, &f.Dir1, &f.File1, &f.SSTab1, &f.cmdStart}, false);
  f.cmdStop.SetEnabled(true);
  f.cmdView.SetEnabled(false);
  SetCommandsEnabled(f, false);
  for (const FormOption& option : FormOptions()) {
    if (option.lock == RunLock::kNever) continue;
    for (Control* control : ControlsOf(option, f)) control->SetEnabled(false);
  }
  f.mnuRunItem[1].SetEnabled(true);
}

void UnlockWindowAfterRun(RunSession& session) {
  MainForm& f = session.form;
  SetEnabled({&f.Drive1, &f.Dir1, &f.File1, &f.SSTab1, &f.cmdStart}, true);
  f.cmdStop.SetEnabled(false);
  if (session.run.ImageCount != 0 || f.chkAllFileList.Value() == 1) {
    f.cmdView.SetEnabled(true);
    PointGuideArrowAt(f, 1);
  } else {
    PointGuideArrowAt(f, -1);
  }
  for (const FormOption& option : FormOptions()) {
    if (option.lock == RunLock::kNever) continue;
    const bool on = GivenBack(option.lock, f);
    for (Control* control : ControlsOf(option, f)) control->SetEnabled(on);
  }
  SetCommandsEnabled(f, true);
  f.mnuRunItem[1].SetEnabled(false);
}

void chkSpeed_Click(RunSession& session) {
  session.run.FastMode = session.form.chkSpeed.Value() == 1 ? 1 : 0;
}

void PointGuideArrowAt(MainForm& form, int index) {
  form.lblAnnai[0].SetVisible(index == 0);
  form.lblAnnai[1].SetVisible(index == 1);
}

}  // namespace zb
