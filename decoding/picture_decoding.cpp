#include "decoding/picture_decoding.h"

#include <avif/avif.h>
#include <stb_image.h>
#include <webp/decode.h>

#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "decoding/colour_conversion.h"
#include "decoding/heif_decoding.h"
#include "decoding/page_background.h"
#include "decoding/png_chunks.h"

namespace zb {
namespace {

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view signature,
                std::size_t at = 0) {
  return bytes.size() >= at + signature.size() &&
         std::memcmp(bytes.data() + at, signature.data(), signature.size()) == 0;
}

// A decoded picture with its profile; `profile` may be empty.
struct Decoded {
  PicturePixels pixels;
  std::vector<std::uint8_t> profile;
  int orientation = 1;
};

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

// stb_image with `channels` (3, or 4 to keep transparency) a pixel; it
// checks each chunk's bounds itself.
std::optional<PicturePixels> DecodeStb(std::span<const std::uint8_t> bytes, int channels) {
  const int length = static_cast<int>(bytes.size());
  int width = 0, height = 0, components = 0;
  std::unique_ptr<stbi_uc, void (*)(void*)> data(
      stbi_load_from_memory(bytes.data(), length, &width, &height, &components, channels),
      stbi_image_free);
  if (!data) return std::nullopt;
  return OnPageBackground(data.get(), width, height, channels);
}

// stb_image holds the inflated rows (a filter byte each) and the image at
// its own depth, then makes it 8 bits and our channels, and we copy it.
std::optional<Decoded> DecodePng(std::span<const std::uint8_t> bytes, const DecodeLimits& limits) {
  PngChunks png = ReadPngChunks(bytes);
  if (!png.intact) return std::nullopt;
  static constexpr int kSamples[7] = {1, 0, 3, 1, 2, 0, 4};
  const int samples = png.colourType <= 6 ? kSamples[png.colourType] : 0;
  if (samples == 0 || png.bitDepth == 0 || png.width > limits.bytes) return std::nullopt;
  const std::uint64_t sampleBytes = png.bitDepth == 16 ? 2 : 1;
  const std::uint64_t rowBytes = 1 + (std::uint64_t{png.width} * samples * png.bitDepth + 7) / 8;
  const std::uint64_t inflated = rowBytes * png.height;
  if (!Affordable(png.width, png.height, 4 * sampleBytes + 4 + 4 + 3, limits, inflated)) {
    return std::nullopt;
  }
  std::optional<PicturePixels> pixels = DecodeStb(bytes, png.transparency ? 4 : 3);
  if (!pixels) return std::nullopt;
  return Decoded{std::move(*pixels), std::move(png.profile)};
}

// BMP and a still GIF (whose decoder keeps three frames' worth of state).
std::optional<Decoded> DecodeOtherStb(std::span<const std::uint8_t> bytes,
                                      const DecodeLimits& limits) {
  int width = 0, height = 0, components = 0;
  if (!stbi_info_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height,
                             &components) ||
      !Affordable(width, height, 4 + 4 + 1 + 4 + 3, limits)) {
    return std::nullopt;
  }
  const bool gif = bytes[0] == 'G';
  std::optional<PicturePixels> pixels = DecodeStb(bytes, gif || components == 4 ? 4 : 3);
  if (!pixels) return std::nullopt;
  return Decoded{std::move(*pixels), {}};
}

// The ICCP chunk of an extended WebP: RIFF chunks, each a four-letter
// name, a little-endian length and the data padded to even.
std::vector<std::uint8_t> WebpProfile(std::span<const std::uint8_t> bytes) {
  std::size_t at = 12;
  while (bytes.size() >= at + 8) {
    const std::size_t length = std::uint32_t{bytes[at + 4]} | std::uint32_t{bytes[at + 5]} << 8 |
                               std::uint32_t{bytes[at + 6]} << 16 |
                               std::uint32_t{bytes[at + 7]} << 24;
    if (length > bytes.size() - at - 8) break;
    if (StartsWith(bytes, "ICCP", at)) {
      return {bytes.begin() + at + 8, bytes.begin() + at + 8 + length};
    }
    at += 8 + length + (length & 1);
  }
  return {};
}

// libwebp's lossless decoder keeps 4 bytes a pixel besides its output.
std::optional<Decoded> DecodeWebp(std::span<const std::uint8_t> bytes, const DecodeLimits& limits) {
  WebPBitstreamFeatures features;
  if (WebPGetFeatures(bytes.data(), bytes.size(), &features) != VP8_STATUS_OK ||
      !Affordable(features.width, features.height, 4 + 4 + 3, limits)) {
    return std::nullopt;
  }
  const int channels = features.has_alpha ? 4 : 3;
  int width = 0, height = 0;
  std::unique_ptr<std::uint8_t, void (*)(void*)> data(
      channels == 4 ? WebPDecodeRGBA(bytes.data(), bytes.size(), &width, &height)
                    : WebPDecodeRGB(bytes.data(), bytes.size(), &width, &height),
      WebPFree);
  if (!data) return std::nullopt;
  return Decoded{OnPageBackground(data.get(), width, height, channels), WebpProfile(bytes)};
}

// The primary image; its rotation and mirror come back as an orientation.
// The codec holds its planes (up to 2 bytes a sample) and a reference
// frame, then we take RGBA.
std::optional<Decoded> DecodeAvif(std::span<const std::uint8_t> bytes, const DecodeLimits& limits) {
  std::unique_ptr<avifDecoder, void (*)(avifDecoder*)> decoder(avifDecoderCreate(),
                                                               avifDecoderDestroy);
  if (!decoder) return std::nullopt;
  decoder->maxThreads = 1;  // the helpers already use every core
  decoder->imageSizeLimit = static_cast<std::uint32_t>(
      std::min<std::uint64_t>(limits.bytes / 4, AVIF_DEFAULT_IMAGE_SIZE_LIMIT));
  if (avifDecoderSetIOMemory(decoder.get(), bytes.data(), bytes.size()) != AVIF_RESULT_OK ||
      avifDecoderParse(decoder.get()) != AVIF_RESULT_OK ||
      !Affordable(decoder->image->width, decoder->image->height, 2 * 2 * 4 + 4 + 4, limits) ||
      avifDecoderNextImage(decoder.get()) != AVIF_RESULT_OK) {
    return std::nullopt;
  }
  const avifImage* image = decoder->image;
  avifRGBImage rgb;
  avifRGBImageSetDefaults(&rgb, image);
  const int channels = image->alphaPlane != nullptr ? 4 : 3;
  rgb.format = channels == 4 ? AVIF_RGB_FORMAT_RGBA : AVIF_RGB_FORMAT_RGB;
  rgb.depth = 8;
  std::vector<std::uint8_t> data(std::size_t{image->width} * image->height * channels);
  rgb.pixels = data.data();
  rgb.rowBytes = channels * image->width;
  if (avifImageYUVToRGB(image, &rgb) != AVIF_RESULT_OK) return std::nullopt;
  Decoded decoded{OnPageBackground(data.data(), static_cast<int>(image->width),
                                   static_cast<int>(image->height), channels),
                  {image->icc.data, image->icc.data + image->icc.size}};
  const int turns = (image->transformFlags & AVIF_TRANSFORM_IROT) ? image->irot.angle : 0;
  const int mirror = (image->transformFlags & AVIF_TRANSFORM_IMIR) ? image->imir.mode : -1;
  decoded.orientation = OrientationOfRotation(turns, mirror);
  return decoded;
}

std::optional<Decoded> DecodeAny(std::span<const std::uint8_t> bytes, const DecodeLimits& limits) {
  if (StartsWith(bytes, "\x89PNG\r\n\x1a\n")) return DecodePng(bytes, limits);
  if (StartsWith(bytes, "BM")) return DecodeOtherStb(bytes, limits);
  // A moving GIF keeps its original, which moves.
  if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a")) {
    if (GifImages(bytes) == 1) return DecodeOtherStb(bytes, limits);
  } else if (StartsWith(bytes, "RIFF") && StartsWith(bytes, "WEBP", 8)) {
    return DecodeWebp(bytes, limits);
  } else if (StartsWith(bytes, "ftyp", 4)) {
    if (IsHeic(bytes)) {
      std::optional<HeifPicture> heif = DecodeHeif(bytes, limits);
      if (!heif) return std::nullopt;
      return Decoded{std::move(heif->pixels), std::move(heif->profile)};
    }
    return DecodeAvif(bytes, limits);
  }
  return std::nullopt;
}

}  // namespace

std::optional<PicturePixels> DecodeForThumbnail(std::span<const std::uint8_t> bytes, int side,
                                                const DecodeLimits& limits) {
  if (side <= 0) return std::nullopt;
  if (StartsWith(bytes, "\xFF\xD8")) return DecodeJpegForThumbnail(bytes, side, limits);
  std::optional<Decoded> decoded = DecodeAny(bytes, limits);
  if (!decoded) return std::nullopt;
  PicturePixels reduced = Reduced(std::move(decoded->pixels), side);
  ColourConversion::FromRgbProfile(decoded->profile)
      .Convert(reduced.rgb.data(), reduced.rgb.data(), reduced.rgb.size() / 3);
  return Oriented(std::move(reduced), decoded->orientation);
}

}  // namespace zb
