#pragma once

#include <span>

namespace zb {

// The Orientation tag (1 to 8) of a JPEG APP1 segment's contents: "Exif",
// two NULs, then a TIFF header in either byte order and its first IFD.
// 1, the picture as stored, for anything else, damaged Exif included.
int ExifOrientation(std::span<const unsigned char> segment);

// Orientations 5 to 8 turn the picture a quarter: its sides change places.
inline bool TurnsAQuarter(int orientation) { return orientation >= 5 && orientation <= 8; }

}  // namespace zb
