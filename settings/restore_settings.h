#pragma once

namespace zb {

struct Program;

// Puts the stored options into their controls, each through the control's
// ordinary change so that the interlocks follow. A stored value the control
// cannot take falls back to the key's default.
void RestoreSettings(Program& program);

}  // namespace zb
