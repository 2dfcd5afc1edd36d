#pragma once

#include <cstddef>

namespace zb {

// The orientation tag (1 to 8) of an APP1 "Exif" segment's payload, the
// bytes after the marker's length; 1 when there is none or it is damaged.
// Reads only inside the given bytes and at most a fixed number of entries.
int ExifOrientation(const unsigned char* payload, std::size_t length);

}  // namespace zb
