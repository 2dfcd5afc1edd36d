#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QWidget>

#include "form/control.h"

namespace zb {

inline constexpr int kTwipsPerPixel = 15;
inline int Pixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
inline int Twips(int pixels) { return pixels * kTwipsPerPixel; }
QRect PixelRect(const Bounds& bounds);

inline QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }
// The window's face, with similar faces where it is missing.
QFont WindowFont(const FontStyle& style);

// What every control shows the same way: enabled, visible, tool tip, place,
// font and colours.
void ApplyCommon(QWidget* widget, const Control& control);

}  // namespace zb
