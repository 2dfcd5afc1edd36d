#include "picture/newer_format_header.h"

#include <cstring>

#include "picture/heif_header_reader.h"
#include "picture/webp_header_reader.h"

namespace zb {

std::optional<PixelSize> ReadNewerFormatSize(const unsigned char* head, std::size_t filled) {
  if (filled >= 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WEBP", 4) == 0) {
    return ReadWebpSize(head, filled);
  }
  if (filled >= 8 && std::memcmp(head + 4, "ftyp", 4) == 0) return ReadHeifSize(head, filled);
  return std::nullopt;
}

}  // namespace zb
