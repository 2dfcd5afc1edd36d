#pragma once

#include <avif/avif.h>
#include <stb_image_write.h>
#include <webp/encode.h>

#include <cstdint>
#include <string>

#include "decoding/jpeg_encoder.h"
#include "decoding/picture_pixels.h"

namespace zb {

// For tests: pictures made here, so that every format and orientation can
// be checked against what it must look like.

// Left half red, right half blue.
inline PicturePixels RedLeftBlueRight(int width, int height) {
  PicturePixels p{width, height, std::vector<std::uint8_t>(std::size_t{3} * width * height)};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* px = &p.rgb[(std::size_t{1} * y * width + x) * 3];
      px[x < width / 2 ? 0 : 2] = 255;
    }
  }
  return p;
}

// "red", "blue" or "mixed" for the pixel at (x, y).
inline std::string ColourAt(const PicturePixels& p, int x, int y) {
  const std::uint8_t* px = &p.rgb[(std::size_t{1} * y * p.width + x) * 3];
  if (px[0] > 180 && px[2] < 80) return "red";
  if (px[2] > 180 && px[0] < 80) return "blue";
  return "mixed";
}

// A JPEG with an EXIF segment (big-endian TIFF) holding the orientation.
inline std::string JpegWithOrientation(const PicturePixels& p, int orientation) {
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(p, 90);
  const std::string tiff = std::string("MM\0\x2a\0\0\0\x08", 8) + std::string("\0\x01", 2) +
                           std::string("\x01\x12\0\x03\0\0\0\x01", 8) + static_cast<char>(0) +
                           static_cast<char>(orientation) + std::string(2, '\0') +
                           std::string(4, '\0');
  const std::string payload = std::string("Exif\0\0", 6) + tiff;
  const std::size_t length = payload.size() + 2;
  const std::string app1 = std::string("\xFF\xE1") + static_cast<char>(length >> 8) +
                           static_cast<char>(length & 0xFF) + payload;
  const std::string all(jpeg.begin(), jpeg.end());
  return all.substr(0, 2) + app1 + all.substr(2);
}

// `channels` 4: the pixels' bytes are RGBA, for pictures with transparency.
inline std::string Png(const PicturePixels& p, int channels = 3) {
  std::string out;
  stbi_write_png_to_func(
      [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<char*>(data),
                                                   static_cast<std::size_t>(size));
      },
      &out, p.width, p.height, channels, p.rgb.data(), p.width * channels);
  return out;
}

inline std::string PngRgba(const PicturePixels& p) { return Png(p, 4); }

inline std::string Webp(const PicturePixels& p, int channels = 3) {
  std::uint8_t* data = nullptr;
  const std::size_t size =
      channels == 4 ? WebPEncodeLosslessRGBA(p.rgb.data(), p.width, p.height, p.width * 4, &data)
                    : WebPEncodeLosslessRGB(p.rgb.data(), p.width, p.height, p.width * 3, &data);
  std::string out(reinterpret_cast<char*>(data), size);
  WebPFree(data);
  return out;
}

inline std::string WebpRgba(const PicturePixels& p) { return Webp(p, 4); }

// quarterTurns anti-clockwise, as AVIF's 'irot' says it; `profile` an ICC
// profile for its colr box.
inline std::string Avif(const PicturePixels& p, int quarterTurns,
                        const std::vector<std::uint8_t>& profile = {}, int channels = 3) {
  avifImage* image =
      avifImageCreate(static_cast<std::uint32_t>(p.width), static_cast<std::uint32_t>(p.height), 8,
                      AVIF_PIXEL_FORMAT_YUV444);
  avifRGBImage rgb;
  avifRGBImageSetDefaults(&rgb, image);
  rgb.format = channels == 4 ? AVIF_RGB_FORMAT_RGBA : AVIF_RGB_FORMAT_RGB;
  rgb.pixels = const_cast<std::uint8_t*>(p.rgb.data());
  rgb.rowBytes = static_cast<std::uint32_t>(p.width * channels);
  avifImageRGBToYUV(image, &rgb);
  if (!profile.empty()) avifImageSetProfileICC(image, profile.data(), profile.size());
  if (quarterTurns != 0) {
    image->transformFlags |= AVIF_TRANSFORM_IROT;
    image->irot.angle = static_cast<std::uint8_t>(quarterTurns);
  }
  avifEncoder* encoder = avifEncoderCreate();
  encoder->speed = AVIF_SPEED_FASTEST;
  avifRWData out = AVIF_DATA_EMPTY;
  std::string bytes;
  if (avifEncoderWrite(encoder, image, &out) == AVIF_RESULT_OK) {
    bytes.assign(reinterpret_cast<char*>(out.data), out.size);
  }
  avifRWDataFree(&out);
  avifEncoderDestroy(encoder);
  avifImageDestroy(image);
  return bytes;
}

inline std::string AvifRgba(const PicturePixels& p) { return Avif(p, 0, {}, 4); }

}  // namespace zb
