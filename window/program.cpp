#include "window/program.h"

#include "run/run_lockout.h"
#include "scan/run_stop.h"
#include "window/file_menu.h"
#include "window/focus.h"
#include "window/option_interlocks.h"
#include "window/option_menu.h"
#include "window/path_field_input.h"
#include "window/path_field_validation.h"
#include "window/path_fields.h"
#include "window/run_start.h"
#include "window/view_and_help.h"

namespace zb {

Program::Program(Platform& host) : platform(host), session(host, form) {
  session.FocusSearchField = [this] { SetFocus(*this, form.txtOLEKensaku); };
  MainForm& f = form;
  f.cmdStart.Click = [this] { cmdStart_Click(*this); };
  f.cmdStop.Click = [this] { RequestStop(session); };
  f.mnuRunItem[0].Click = [this] { cmdStart_Click(*this); };
  f.mnuRunItem[1].Click = [this] { RequestStop(session); };
  f.chkSpeed.Click = [this] { chkSpeed_Click(session); };
  f.chkGazoHtml.Click = [this] { chkGazoHtml_Click(*this); };
  f.chkTable1.Click = [this] { chkTable1_Click(*this); };
  f.hscGazoSuu.Change = [this] { hscGazoSuu_Change(*this); };
  f.hscThumbnail.Change = [this] { hscThumbnail_Change(*this); };
  f.Drive1.Change = [this] { Drive1_Change(*this); };
  f.Dir1.Change = [this] { Dir1_Change(*this); };
  f.File1.Change = [this] { File1_Change(*this); };
  f.chkSameDir.Click = [this] { chkSameDir_Click(*this); };
  f.txtOLESakusei.Change = [this] { txtOLESakusei_Change(*this); };
  f.txtOLEKensaku.LostFocus = [this] { txtOLEKensaku_LostFocus(*this); };
  f.txtOLESakusei.LostFocus = [this] { txtOLESakusei_LostFocus(*this); };
  f.txtOLEKensaku.OLEDragDrop = [this](const auto& files) {
    txtOLEKensaku_OLEDragDrop(*this, files);
  };
  f.txtOLESakusei.OLEDragDrop = [this](const auto& files) {
    txtOLESakusei_OLEDragDrop(*this, files);
  };
  for (TextBox* field : {&f.txtOLEKensaku, &f.txtOLESakusei}) {
    field->GotFocus = [field] { PathField_GotFocus(*field); };
    field->KeyPress = [this](int& keyCode) { PathField_KeyPress(*this, keyCode); };
  }
  f.cmdWriteDirSet.Click = [this] { cmdWriteDirSet_Click(*this); };
  for (int i : {0, 1, 3}) {
    f.mnuFileItem[static_cast<std::size_t>(i)].Click = [this, i] { mnuFileItem_Click(*this, i); };
  }
  for (int i : {0, 1, 2, 3}) {
    f.mnuOptionItem[static_cast<std::size_t>(i)].Click = [this, i] {
      mnuOptionItem_Click(*this, i);
    };
  }
  for (int i : {0, 1}) {
    f.mnuViewItem[static_cast<std::size_t>(i)].Click = [this, i] { mnuViewItem_Click(*this, i); };
  }
  for (int i : {0, 1, 2}) {
    f.mnuHelpItem[static_cast<std::size_t>(i)].Click = [this, i] {
      mnuHelpItem_Click(*this, i, ShowAboutDialog);
    };
  }
  f.cmdView.Click = [this] { cmdView_Click(*this); };
  f.cmdInternet.Click = [this] { cmdInternet_Click(*this); };
}

}  // namespace zb
