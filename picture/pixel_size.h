#pragma once

namespace zb {

struct PixelSize {
  unsigned width = 0;
  unsigned height = 0;
};

}  // namespace zb
