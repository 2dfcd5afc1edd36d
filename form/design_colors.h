#pragma once

#include "form/control.h"

namespace zb {

// The main window's colours as designed.
inline constexpr Rgb kNavy{0, 0, 128};
inline constexpr Rgb kDarkBlue{0, 0, 192};
inline constexpr Rgb kSilver{192, 192, 192};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kPlainBackground{192, 192, 255};

}  // namespace zb
