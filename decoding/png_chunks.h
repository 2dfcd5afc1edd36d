#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zb {

// What a PNG's chunks tell besides its pixels, read in one pass that also
// checks every chunk's CRC (stb_image checks none, so an overwritten PNG
// would come out as garbage).
struct PngChunks {
  bool intact = false;  // each chunk's CRC holds, up to IEND
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int bitDepth = 0;
  int colourType = 0;
  bool transparency = false;          // an alpha channel or a tRNS chunk
  std::vector<std::uint8_t> profile;  // the iCCP chunk's ICC profile, inflated
};

PngChunks ReadPngChunks(std::span<const std::uint8_t> bytes);

}  // namespace zb
