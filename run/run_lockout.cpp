#include "run/run_lockout.h"

#include "scan/run_session.h"

namespace zb {

void LockWindowForRun(RunSession& session) {
  MainForm& f = session.form;
  SetEnabled({&f.Drive1, &f.Dir1, &f.File1, &f.SSTab1, &f.hscGazoSuu, &f.cmdStart}, false);
  f.cmdStop.SetEnabled(true);
  SetEnabled({&f.cmdView,
              &f.chkAllFileList,
              &f.chkLelative,
              &f.chkSameDir,
              &f.chkGazoHtml,
              &f.chkBmp,
              &f.chkHtmlBr,
              &f.chkSubDir,
              &f.hscThumbnail,
              &f.txtOLEKensaku,
              &f.txtOLESakusei,
              &f.cmdWriteDirSet,
              &f.optWin2[0],
              &f.optWin2[1],
              &f.optWin2[2],
              &f.frmOptWin2,
              &f.mnuFileItem[0],
              &f.mnuFileItem[1],
              &f.mnuFileItem[3],
              &f.mnuViewItem[0],
              &f.mnuViewItem[1],
              &f.chkTable1,
              &f.cmbFontSize,
              &f.cmbGazoSuu,
              &f.chkFileName,
              &f.mnuRunItem[0],
              &f.mnuOptionItem[kOptionThumbnails],
              &f.mnuOptionItem[kOptionMoreFormats]},
             false);
  f.mnuRunItem[1].SetEnabled(true);
}

void UnlockWindowAfterRun(RunSession& session) {
  MainForm& f = session.form;
  SetEnabled({&f.Drive1, &f.Dir1, &f.File1, &f.SSTab1, &f.hscGazoSuu, &f.cmdStart}, true);
  f.cmdStop.SetEnabled(false);
  if (session.run.ImageCount != 0 || f.chkAllFileList.Value() == 1) {
    f.cmdView.SetEnabled(true);
    PointGuideArrowAt(f, 1);
  } else {
    PointGuideArrowAt(f, -1);
  }
  SetEnabled({&f.chkLelative, &f.chkSameDir, &f.chkAllFileList, &f.chkGazoHtml, &f.chkSubDir},
             true);
  const bool gallery = f.chkGazoHtml.Value() != 0;
  SetEnabled({&f.chkBmp, &f.chkHtmlBr, &f.frmOptWin2, &f.optWin2[0], &f.optWin2[1], &f.optWin2[2]},
             gallery);
  if (gallery) {
    f.chkTable1.SetEnabled(true);
    if (f.chkTable1.Value() == 1) SetEnabled({&f.cmbFontSize, &f.cmbGazoSuu, &f.chkFileName}, true);
  }
  SetEnabled({&f.hscThumbnail, &f.txtOLEKensaku}, true);
  if (f.chkSameDir.Value() == 0) f.txtOLESakusei.SetEnabled(true);
  SetEnabled({&f.cmdWriteDirSet, &f.mnuFileItem[0], &f.mnuFileItem[1], &f.mnuFileItem[3],
              &f.mnuViewItem[0], &f.mnuViewItem[1], &f.mnuRunItem[0],
              &f.mnuOptionItem[kOptionThumbnails], &f.mnuOptionItem[kOptionMoreFormats]},
             true);
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
