#pragma once

#include "decoding/picture_pixels.h"

namespace zb {

// Resamples to width x height with a Lanczos-3 filter widened by the
// reduction factor, so that each output pixel weighs every input pixel it
// covers: as sharp as a reduction can be without aliasing into moire.
PicturePixels LanczosResampled(const PicturePixels& in, int width, int height);

}  // namespace zb
