#pragma once

#include <string>

#include "app_win32/win32_control_binding.h"
#include "form/controls.h"

namespace zb {

// An edit control for a path field. Typing sets the field's text and
// selection; Enter goes to the field's KeyPress first, which may swallow
// it; dropped files go to its OLEDragDrop; the field takes the focus when the form gives it. Focus
// changes post focusMoved to the window, which asks where the focus went once it is there.
HWND MakePathField(ControlBinding& b, TextBox& field, const ControlBinding::Place& place,
                   UINT focusMoved);

// Characters (as the field counts them) in the first units of UTF-16 text,
// and back.
int CharactersIn(const std::wstring& text, int units);
int UnitsOf(const std::wstring& text, int characters);

}  // namespace zb
