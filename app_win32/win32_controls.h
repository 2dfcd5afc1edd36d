#pragma once

#include "app_win32/win32_control_binding.h"
#include "form/controls.h"

namespace zb {

// Each makes the Win32 control for a model control, bound both ways: the
// control follows the model, and the user's input sets the model.
HWND MakePlainWindow(ControlBinding& b, Control& control, const ControlBinding::Place& place);
HWND MakeLabel(ControlBinding& b, Label& label, const ControlBinding::Place& place);
HWND MakeFrame(ControlBinding& b, Frame& frame, const ControlBinding::Place& place);
HWND MakeCheckBox(ControlBinding& b, CheckBox& box, const ControlBinding::Place& place);
HWND MakeOptionButton(ControlBinding& b, OptionButton& button, const ControlBinding::Place& place);
HWND MakeButton(ControlBinding& b, CommandButton& button, const ControlBinding::Place& place);
// The user's moves arrive as WM_HSCROLL: see ScrollBarMoved.
HWND MakeScrollBar(ControlBinding& b, ScrollBar& bar, const ControlBinding::Place& place);
HWND MakeComboBox(ControlBinding& b, ComboBox& combo, const ControlBinding::Place& place);
HWND MakeDriveList(ControlBinding& b, DriveList& drives, const ControlBinding::Place& place);
// Choosing a folder (double click; Enter, which the window sees) posts moveTo to owner with the row
// as wParam: moving refills the very list, which must wait until it is done.
HWND MakeFolderList(ControlBinding& b, PathList& folders, const ControlBinding::Place& place,
                    UINT moveTo);
HWND MakeFileList(ControlBinding& b, PathList& files, const ControlBinding::Place& place);
// The tab strip; the controls of page i are made with Place::page i. The
// user's choice arrives as TCN_SELCHANGE: see TabChosen.
HWND MakeTabs(ControlBinding& b, TabControl& tabs, const ControlBinding::Place& place);

// request is WM_HSCROLL's LOWORD(wParam); track the thumb's position.
void ScrollBarMoved(ScrollBar& bar, int request, int track);
void TabChosen(TabControl& tabs, HWND handle);

}  // namespace zb
