#pragma once

namespace zb {

struct Program;

// Both items toggle their check mark; item 1 also repaints the background.
void mnuOptionItem_Click(Program& program, int index);
// The plain background (white = true) or the white-to-blue gradient, and the
// text colours of the labels that sit on it.
void PaintBackground(Program& program, bool white);

}  // namespace zb
