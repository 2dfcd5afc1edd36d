#include "scan/picture_measure.h"

#include <array>
#include <cstddef>

#include "settings/crash_marker.h"
#include "window/program.h"

namespace zb {
namespace {

// Width and height at offsets 6 and 8, unsigned little-endian 16-bit.
MeasuredSize MeasureGif(FileSystem& files, const std::string& path) {
  std::array<std::byte, 4> header{};
  std::size_t got = 0;
  try {
    got = files.ReadAt(path, 6, header);
  } catch (const FileError&) {
    return {};
  }
  auto field = [&](std::size_t at) {
    if (got < at + 2) return 0.0f;
    return static_cast<float>(std::to_integer<unsigned>(header[at]) |
                              std::to_integer<unsigned>(header[at + 1]) << 8);
  };
  return {field(0), field(2)};
}

}  // namespace

MeasuredSize MeasurePicture(Program& program, const std::string& path, bool gif) {
  if (gif) return MeasureGif(program.platform.files, path);
  ArmCrashMarker(program.platform, path);
  if (auto size = program.platform.pictures.Measure(path)) {
    return {static_cast<float>(size->width), static_cast<float>(size->height)};
  }
  return {};
}

}  // namespace zb
