#include "window/option_interlocks.h"

#include <string>

#include "window/program.h"

namespace zb {

void chkGazoHtml_Click(Program& program) {
  MainForm& f = program.form;
  const bool on = f.chkGazoHtml.Value() != 0;
  SetEnabled({&f.chkBmp, &f.chkHtmlBr, &f.hscThumbnail, &f.hscGazoSuu, &f.frmOptWin2, &f.optWin2[0],
              &f.optWin2[1], &f.optWin2[2], &f.chkTable1},
             on);
  if (!on || f.chkTable1.Value() == 1) {
    SetEnabled({&f.cmbFontSize, &f.cmbGazoSuu, &f.chkFileName}, on);
  }
}

void chkTable1_Click(Program& program) {
  MainForm& f = program.form;
  SetEnabled({&f.frmTable1, &f.cmbFontSize, &f.cmbGazoSuu, &f.chkFileName},
             f.chkTable1.Value() == 1);
}

void hscGazoSuu_Change(Program& program) {
  program.session.run.ImagesPerPage = program.form.hscGazoSuu.Value();
  program.form.lGazosu.SetCaption(std::to_string(program.form.hscGazoSuu.Value()));
}

void hscThumbnail_Change(Program& program) {
  program.form.LblThumbnail.SetCaption(std::to_string(program.form.hscThumbnail.Value()));
}

}  // namespace zb
