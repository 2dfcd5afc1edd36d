#pragma once

namespace zb {

struct FittedSize {
  int width = 0;
  int height = 0;
};

// Fits a picture measured in pixels into a box of side box, proportions
// kept; a picture that already fits keeps its size, an unmeasurable one
// (a side below 1) takes the whole box. Halves round to even.
FittedSize FitIntoBox(float width, float height, int box);

}  // namespace zb
