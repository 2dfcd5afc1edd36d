#pragma once

#include "form/controls.h"

namespace zb {

// The About box as its view sees it: its controls, by name. The view draws
// the separator line between the texts and the buttons itself.
struct AboutForm {
  AboutForm();

  FormWindow Window;
  PictureBox picIcon;  // the program's icon
  Label lblTitle;
  Label lblVersion;
  Label lblDescription;  // several lines
  TextBox Text1;         // the help text: many lines, read with scroll bars
  Label Label12;         // home page address
  Label Label13;         // contact address
  Label Label5;          // credit line
  CommandButton cmdOK;
  CommandButton cmdSysInfo;
  CommandButton Command1;  // to the home page
};

}  // namespace zb
