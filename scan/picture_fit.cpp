#include "scan/picture_fit.h"

#include <cmath>

namespace zb {

FittedSize FitIntoBox(float w, float h, int box) {
  const float t = static_cast<float>(box);
  const float larger = h > w ? h : w;
  if (h < 1 || w < 1) {
    h = t;
    w = t;
  }
  if (larger > t) {
    const float r = h > w ? h / t : w / t;
    if (r > 0) {
      h /= r;
      w /= r;
    } else {
      h = t;
      w = t;
    }
  }
  // nearbyint follows the default rounding mode: to nearest, halves to even.
  return {static_cast<int>(std::nearbyint(w)), static_cast<int>(std::nearbyint(h))};
}

}  // namespace zb
