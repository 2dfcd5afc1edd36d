#pragma once

#include "app_win32/windows_ui.h"
#include "form/control.h"

namespace zb {

// Twips to pixels at the monitor's dots per inch (15 twips a pixel at 96).
int Pixels(int twips, UINT dpi);
int Twips(int pixels, UINT dpi);
RECT PixelRect(const Bounds& bounds, POINT origin, UINT dpi);

inline COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

// The window's Japanese face at a style's size, made once per size and
// kept for the program's life.
HFONT WindowFont(const FontStyle& style, UINT dpi);

}  // namespace zb
