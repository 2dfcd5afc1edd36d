#include "window/program.h"

#include "run/run_driver.h"
#include "run/run_lockout.h"
#include "window/option_interlocks.h"
#include "window/path_fields.h"

namespace zb {

Program::Program(Platform& host) : platform(host), gallery(host.files, host.encoding) {
  run.MainForm = &form;
  MainForm& f = form;
  f.cmdStart.Click = [this] { cmdStart_Click(*this); };
  f.cmdStop.Click = [this] { cmdStop_Click(*this); };
  f.mnuRunItem[0].Click = [this] { cmdStart_Click(*this); };
  f.mnuRunItem[1].Click = [this] { cmdStop_Click(*this); };
  f.chkSpeed.Click = [this] { chkSpeed_Click(*this); };
  f.chkGazoHtml.Click = [this] { chkGazoHtml_Click(*this); };
  f.chkTable1.Click = [this] { chkTable1_Click(*this); };
  f.hscGazoSuu.Change = [this] { hscGazoSuu_Change(*this); };
  f.hscThumbnail.Change = [this] { hscThumbnail_Change(*this); };
  f.Drive1.Change = [this] { Drive1_Change(*this); };
  f.Dir1.Change = [this] { Dir1_Change(*this); };
  f.chkSameDir.Click = [this] { chkSameDir_Click(*this); };
  f.txtOLESakusei.Change = [this] { txtOLESakusei_Change(*this); };
}

}  // namespace zb
