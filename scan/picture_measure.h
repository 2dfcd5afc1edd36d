#pragma once

#include <string>

namespace zb {

struct Program;

struct MeasuredSize {
  float width = 0;
  float height = 0;
};

// A GIF is measured from its header's logical screen size; any other
// picture through the picture loader, with the crash marker armed first.
// Whatever cannot be read measures 0.
MeasuredSize MeasurePicture(Program& program, const std::string& path, bool gif);

}  // namespace zb
