#include "picture/webp_header_reader.h"

#include <cstdint>
#include <cstring>

namespace zb {
namespace {

constexpr std::size_t kRiffHeader = 12;
constexpr std::size_t kChunkHeader = 8;
constexpr std::uint32_t kTag = 4;
constexpr std::uint32_t kExtendedChunk = 10;
constexpr std::uint32_t kLargestChunk = ~0u - kChunkHeader - 1;
constexpr std::uint32_t kAnimated = 0x02;
constexpr std::size_t kLossyFrameHeader = 10;
constexpr std::size_t kLosslessFrameHeader = 5;

std::uint32_t Le(const unsigned char* at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | at[i];
  return value;
}

bool Is(const unsigned char* at, const char* tag) { return std::memcmp(at, tag, kTag) == 0; }

bool IsLosslessStart(const unsigned char* at, std::size_t size) {
  return size >= kLosslessFrameHeader && at[0] == 0x2F && (at[4] >> 5) == 0;
}

std::optional<PixelSize> Positive(int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  return PixelSize{static_cast<unsigned>(width), static_cast<unsigned>(height)};
}

// A key frame's header: its first partition must fit in the chunk.
std::optional<PixelSize> LossySize(const unsigned char* at, std::size_t size,
                                   std::size_t chunkSize) {
  if (size < kLossyFrameHeader || at[3] != 0x9D || at[4] != 0x01 || at[5] != 0x2A) {
    return std::nullopt;
  }
  const std::uint32_t bits = Le(at, 3);
  const bool keyFrame = (bits & 1) == 0;
  const bool shown = ((bits >> 4) & 1) != 0;
  if (!keyFrame || ((bits >> 1) & 7) > 3 || !shown || (bits >> 5) >= chunkSize) {
    return std::nullopt;
  }
  return Positive(static_cast<int>(Le(at + 6, 2) & 0x3FFF),
                  static_cast<int>(Le(at + 8, 2) & 0x3FFF));
}

// Sides of 14 bits each, less one, behind the signature byte.
PixelSize LosslessSize(const unsigned char* at) {
  const std::uint32_t bits = Le(at + 1, 4);
  return {(bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1};
}

}  // namespace

std::optional<PixelSize> ReadWebpSize(const unsigned char* data, std::size_t length) {
  if (length < kRiffHeader || !Is(data, "RIFF") || !Is(data + 8, "WEBP")) return std::nullopt;
  const std::uint32_t riffSize = Le(data + 4, 4);
  if (riffSize < kTag + kChunkHeader || riffSize > kLargestChunk) return std::nullopt;
  const unsigned char* at = data + kRiffHeader;
  std::size_t left = length - kRiffHeader;
  if (left < kChunkHeader) return std::nullopt;

  std::optional<PixelSize> canvas;
  if (Is(at, "VP8X")) {
    if (Le(at + 4, 4) != kExtendedChunk || left < kChunkHeader + kExtendedChunk) {
      return std::nullopt;
    }
    const std::uint32_t flags = Le(at + 8, 4);
    const std::uint64_t width = 1 + Le(at + 12, 3), height = 1 + Le(at + 15, 3);
    if (width * height >= std::uint64_t{1} << 32) return std::nullopt;
    canvas = PixelSize{static_cast<unsigned>(width), static_cast<unsigned>(height)};
    if (flags & kAnimated) return canvas;
    at += kChunkHeader + kExtendedChunk;
    left -= kChunkHeader + kExtendedChunk;
    // Chunks up to the image, all of them within the RIFF size; an image
    // past the bytes given leaves the canvas as the answer.
    std::uint32_t total = kTag + kChunkHeader + kExtendedChunk;
    for (;;) {
      if (left < kChunkHeader) return canvas;
      const std::uint32_t chunkSize = Le(at + 4, 4);
      if (chunkSize > kLargestChunk) return std::nullopt;
      const std::uint32_t onDisk = (kChunkHeader + chunkSize + 1) & ~1u;
      total += onDisk;  // wraps as libwebp's does
      if (total > riffSize) return std::nullopt;
      if (Is(at, "VP8 ") || Is(at, "VP8L")) break;
      if (left < onDisk) return canvas;
      at += onDisk;
      left -= onDisk;
    }
  }

  if (left < kChunkHeader) return canvas;
  std::size_t chunkSize = left;
  bool lossless = false;
  if (Is(at, "VP8 ") || Is(at, "VP8L")) {
    const std::uint32_t size = Le(at + 4, 4);
    if (size > riffSize - (kTag + kChunkHeader)) return std::nullopt;
    chunkSize = size;
    lossless = Is(at, "VP8L");
    at += kChunkHeader;
    left -= kChunkHeader;
  } else {
    // Any other chunk counts as a bare bitstream.
    lossless = IsLosslessStart(at, left);
  }
  if (chunkSize > kLargestChunk) return std::nullopt;

  std::optional<PixelSize> image;
  if (!lossless) {
    if (left < kLossyFrameHeader) return canvas;
    image = LossySize(at, left, chunkSize);
  } else {
    if (left < kLosslessFrameHeader) return canvas;
    if (IsLosslessStart(at, left)) image = LosslessSize(at);
  }
  if (!image) return std::nullopt;
  if (canvas && (canvas->width != image->width || canvas->height != image->height)) {
    return std::nullopt;
  }
  return image;
}

}  // namespace zb
