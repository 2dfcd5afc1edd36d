#include "platform/posix/picture_decoding.h"

#include <avif/avif.h>
#include <stb_image.h>
#include <webp/decode.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <string_view>

namespace zb {
namespace {

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view signature,
                std::size_t at = 0) {
  return bytes.size() >= at + signature.size() &&
         std::memcmp(bytes.data() + at, signature.data(), signature.size()) == 0;
}

bool Fits(std::uint64_t width, std::uint64_t height) {
  return width > 0 && height > 0 && width * height <= kMaxPixels;
}

std::optional<PicturePixels> FromRgb(const std::uint8_t* rgb, int width, int height) {
  PicturePixels pixels{width, height, {}};
  pixels.rgb.assign(rgb, rgb + std::size_t{3} * width * height);
  return pixels;
}

std::uint32_t BigEndian(const std::uint8_t* at) {
  return std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 |
         at[3];
}

// stb_image checks no checksum, so a PNG whose data was overwritten would
// come out as garbage; each chunk's CRC must hold, up to IEND.
bool PngChunksIntact(std::span<const std::uint8_t> bytes) {
  constexpr int kMaxChunks = 100000;
  std::size_t at = 8;
  for (int n = 0; n < kMaxChunks; ++n) {
    if (bytes.size() - at < 12) return false;
    const std::uint32_t length = BigEndian(&bytes[at]);
    if (length > bytes.size() - at - 12) return false;
    const std::uint8_t* type = &bytes[at + 4];
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), type, length + 4);
    if (crc != BigEndian(type + 4 + length)) return false;
    if (std::memcmp(type, "IEND", 4) == 0) return true;
    at += std::size_t{length} + 12;
  }
  return false;
}

// Counts a GIF's images up to two by walking its blocks, which stb_image
// cannot do without decoding every frame; 0 for a damaged stream.
int GifImages(std::span<const std::uint8_t> bytes) {
  constexpr std::size_t kScreen = 13;  // header and logical screen descriptor
  if (bytes.size() < kScreen) return 0;
  std::size_t at = kScreen;
  if (bytes[10] & 0x80) at += std::size_t{3} << ((bytes[10] & 7) + 1);
  // Sub-blocks, each led by its length, end with an empty one.
  const auto skipSubBlocks = [&] {
    while (at < bytes.size() && bytes[at] != 0) at += std::size_t{1} + bytes[at];
    ++at;
    return at <= bytes.size();
  };
  int images = 0;
  while (at < bytes.size() && images < 2) {
    const std::uint8_t kind = bytes[at];
    if (kind == 0x3B) break;
    if (kind == 0x21) {
      at += 2;
    } else if (kind == 0x2C && at + 10 <= bytes.size()) {
      const std::uint8_t flags = bytes[at + 9];
      at += 10;
      if (flags & 0x80) at += std::size_t{3} << ((flags & 7) + 1);
      ++at;  // the LZW code size
      ++images;
    } else {
      return 0;
    }
    if (!skipSubBlocks()) return 0;
  }
  return images;
}

// PNG, BMP and a still GIF; stb_image checks each chunk's bounds itself.
std::optional<PicturePixels> DecodeStb(std::span<const std::uint8_t> bytes) {
  const int length = static_cast<int>(bytes.size());
  int width = 0, height = 0, components = 0;
  if (!stbi_info_from_memory(bytes.data(), length, &width, &height, &components) ||
      !Fits(width, height)) {
    return std::nullopt;
  }
  std::unique_ptr<stbi_uc, void (*)(void*)> rgb(
      stbi_load_from_memory(bytes.data(), length, &width, &height, &components, 3),
      stbi_image_free);
  if (!rgb) return std::nullopt;
  return FromRgb(rgb.get(), width, height);
}

std::optional<PicturePixels> DecodeWebp(std::span<const std::uint8_t> bytes) {
  int width = 0, height = 0;
  if (!WebPGetInfo(bytes.data(), bytes.size(), &width, &height) || !Fits(width, height)) {
    return std::nullopt;
  }
  std::unique_ptr<std::uint8_t, void (*)(void*)> rgb(
      WebPDecodeRGB(bytes.data(), bytes.size(), &width, &height), WebPFree);
  if (!rgb) return std::nullopt;
  return FromRgb(rgb.get(), width, height);
}

// The primary image; its rotation and mirror come back as an orientation.
std::optional<PicturePixels> DecodeAvif(std::span<const std::uint8_t> bytes, int* orientation) {
  std::unique_ptr<avifDecoder, void (*)(avifDecoder*)> decoder(avifDecoderCreate(),
                                                               avifDecoderDestroy);
  if (!decoder) return std::nullopt;
  decoder->maxThreads = 1;  // the workers already use every core
  decoder->imageSizeLimit = static_cast<std::uint32_t>(kMaxPixels);
  if (avifDecoderSetIOMemory(decoder.get(), bytes.data(), bytes.size()) != AVIF_RESULT_OK ||
      avifDecoderParse(decoder.get()) != AVIF_RESULT_OK ||
      avifDecoderNextImage(decoder.get()) != AVIF_RESULT_OK) {
    return std::nullopt;
  }
  const avifImage* image = decoder->image;
  avifRGBImage rgb;
  avifRGBImageSetDefaults(&rgb, image);
  rgb.format = AVIF_RGB_FORMAT_RGB;
  rgb.depth = 8;
  PicturePixels pixels{static_cast<int>(image->width), static_cast<int>(image->height), {}};
  pixels.rgb.resize(std::size_t{3} * image->width * image->height);
  rgb.pixels = pixels.rgb.data();
  rgb.rowBytes = 3 * image->width;
  if (avifImageYUVToRGB(image, &rgb) != AVIF_RESULT_OK) return std::nullopt;
  const int turns = (image->transformFlags & AVIF_TRANSFORM_IROT) ? image->irot.angle : 0;
  const int mirror = (image->transformFlags & AVIF_TRANSFORM_IMIR) ? image->imir.mode : -1;
  *orientation = OrientationOfRotation(turns, mirror);
  return pixels;
}

}  // namespace

std::optional<PicturePixels> DecodeForThumbnail(std::span<const std::uint8_t> bytes, int side) {
  if (side <= 0) return std::nullopt;
  if (StartsWith(bytes, "\xFF\xD8")) return DecodeJpegForThumbnail(bytes, side);
  std::optional<PicturePixels> pixels;
  int orientation = 1;
  if (StartsWith(bytes, "\x89PNG\r\n\x1a\n")) {
    if (PngChunksIntact(bytes)) pixels = DecodeStb(bytes);
  } else if (StartsWith(bytes, "BM")) {
    pixels = DecodeStb(bytes);
  } else if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a")) {
    // A moving GIF keeps its original, which moves.
    if (GifImages(bytes) == 1) pixels = DecodeStb(bytes);
  } else if (StartsWith(bytes, "RIFF") && StartsWith(bytes, "WEBP", 8)) {
    pixels = DecodeWebp(bytes);
  } else if (StartsWith(bytes, "ftyp", 4)) {
    pixels = DecodeAvif(bytes, &orientation);
  }
  if (!pixels) return std::nullopt;
  return Oriented(Reduced(std::move(*pixels), side), orientation);
}

}  // namespace zb
