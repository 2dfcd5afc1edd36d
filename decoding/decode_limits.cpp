#include "decoding/decode_limits.h"

namespace zb {

bool Affordable(std::uint64_t width, std::uint64_t height, std::uint64_t bytesPerPixel,
                const DecodeLimits& limits, std::uint64_t moreBytes) {
  if (width == 0 || height == 0 || width > limits.bytes || height > limits.bytes) return false;
  const std::uint64_t pixels = width * height;
  return pixels <= limits.bytes / bytesPerPixel &&
         pixels * bytesPerPixel + moreBytes <= limits.bytes;
}

}  // namespace zb
