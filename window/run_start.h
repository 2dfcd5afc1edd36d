#pragma once

namespace zb {

struct Program;

// Start from the window (button, menu or F5): the field being typed in is
// settled first, so the run searches the folder the window shows; a close
// asked for during the run takes effect once the run has ended in order.
void cmdStart_Click(Program& program);

}  // namespace zb
