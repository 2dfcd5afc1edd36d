#include <gtest/gtest.h>
#include <lcms2.h>
#include <zlib.h>

#include <array>
#include <cstdlib>
#include <span>

#include "decoding/picture_decoding.h"
#include "testing/test_jpeg_writer.h"
#include "testing/test_pictures.h"

namespace zb {
namespace {

std::optional<PicturePixels> Decode(const std::string& bytes, int side) {
  return DecodeForThumbnail(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), side);
}

using Rgb = std::array<int, 3>;

Rgb At(const PicturePixels& p, int x, int y) {
  const std::uint8_t* px = &p.rgb[(std::size_t{1} * y * p.width + x) * 3];
  return {px[0], px[1], px[2]};
}

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
  for (int c = 0; c < 3; ++c) {
    if (std::abs(a[c] - b[c]) > tolerance) return false;
  }
  return true;
}

// Each pixel of `channels` bytes: the left half `left`, the right `right`.
PicturePixels Halves(int width, int height, std::vector<std::uint8_t> left,
                     std::vector<std::uint8_t> right) {
  PicturePixels p{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto& px = x < width / 2 ? left : right;
      p.rgb.insert(p.rgb.end(), px.begin(), px.end());
    }
  }
  return p;
}

// Display P3: wider primaries than sRGB, the same white and curve.
std::vector<std::uint8_t> DisplayP3Profile() {
  const cmsCIExyY white{0.3127, 0.3290, 1.0};
  const cmsCIExyYTRIPLE primaries{{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
  const cmsFloat64Number srgbCurve[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
  cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, srgbCurve);
  cmsToneCurve* curves[3] = {curve, curve, curve};
  cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(profile, nullptr, &size);
  std::vector<std::uint8_t> bytes(size);
  cmsSaveProfileToMem(profile, bytes.data(), &size);
  cmsCloseProfile(profile);
  cmsFreeToneCurve(curve);
  return bytes;
}

std::string PngChunk(const std::string& type, const std::string& data) {
  std::string chunk;
  for (int shift : {24, 16, 8, 0}) chunk += static_cast<char>(data.size() >> shift);
  const std::string body = type + data;
  const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(body.data()),
                          static_cast<uInt>(body.size()));
  chunk += body;
  for (int shift : {24, 16, 8, 0}) chunk += static_cast<char>(crc >> shift);
  return chunk;
}

std::string PngWithProfile(const PicturePixels& p, const std::vector<std::uint8_t>& profile) {
  std::vector<Bytef> packed(compressBound(profile.size()));
  uLongf size = packed.size();
  compress(packed.data(), &size, profile.data(), profile.size());
  const std::string iccp =
      std::string("P3\0\0", 4) + std::string(packed.begin(), packed.begin() + size);
  const std::string png = Png(p);
  return png.substr(0, 33) + PngChunk("iCCP", iccp) + png.substr(33);
}

std::string RiffChunk(const std::string& name, const std::string& data) {
  std::string chunk = name;
  for (int shift : {0, 8, 16, 24}) chunk += static_cast<char>(data.size() >> shift);
  return chunk + data + (data.size() % 2 ? std::string(1, '\0') : "");
}

// An extended WebP: VP8X saying a profile follows, ICCP, then the image.
std::string WebpWithProfile(const PicturePixels& p, const std::vector<std::uint8_t>& profile) {
  std::string vp8x(10, '\0');
  vp8x[0] = 0x20;
  for (int i = 0; i < 3; ++i) {
    vp8x[4 + i] = static_cast<char>((p.width - 1) >> (8 * i));
    vp8x[7 + i] = static_cast<char>((p.height - 1) >> (8 * i));
  }
  const std::string chunks = RiffChunk("VP8X", vp8x) +
                             RiffChunk("ICCP", std::string(profile.begin(), profile.end())) +
                             Webp(p).substr(12);
  std::string riff = "RIFF";
  for (int shift : {0, 8, 16, 24}) riff += static_cast<char>((chunks.size() + 4) >> shift);
  return riff + "WEBP" + chunks;
}

TEST(ThumbnailColours, AnEmbeddedProfileIsTurnedIntoSrgb) {
  // sRGB's pure red and (0,192,0) as Display P3 writes them.
  const PicturePixels p3 = Halves(64, 32, {234, 51, 35}, {86, 189, 54});
  const std::vector<std::uint8_t> profile = DisplayP3Profile();
  for (const auto& [format, bytes] :
       {std::pair<const char*, std::string>{"jpeg",
                                            TestJpeg(p3, {.fullChroma = true, .profile = profile})},
        {"png", PngWithProfile(p3, profile)},
        {"webp", WebpWithProfile(p3, profile)},
        {"avif", Avif(p3, 0, profile)}}) {
    const auto pixels = Decode(bytes, 32);
    ASSERT_TRUE(pixels) << format;
    EXPECT_TRUE(Near(At(*pixels, 4, 8), {255, 0, 0}, 6)) << format;
    EXPECT_TRUE(Near(At(*pixels, 28, 8), {0, 192, 0}, 6)) << format;
  }
  // Without the profile the same values stay as they are.
  const auto plain = Decode(TestJpeg(p3, {.fullChroma = true}), 32);
  ASSERT_TRUE(plain);
  EXPECT_TRUE(Near(At(*plain, 4, 8), {234, 51, 35}, 4));
}

TEST(ThumbnailColours, ACmykJpegComesOutInItsColoursInvertedOrNot) {
  const PicturePixels picture = RedLeftBlueRight(64, 32);
  for (bool adobe : {true, false}) {
    const auto pixels = Decode(TestJpeg(picture, {.cmyk = true, .adobeInverted = adobe}), 32);
    ASSERT_TRUE(pixels) << adobe;
    EXPECT_TRUE(Near(At(*pixels, 4, 8), {255, 0, 0}, 6)) << adobe;
    EXPECT_TRUE(Near(At(*pixels, 28, 8), {0, 0, 255}, 6)) << adobe;
  }
}

TEST(ThumbnailColours, TransparencyLiesOnThePagesWhite) {
  // Opaque red beside fully transparent "black", and a half transparent blue.
  const PicturePixels hidden = Halves(64, 32, {255, 0, 0, 255}, {0, 0, 0, 0});
  const PicturePixels half = Halves(16, 16, {0, 0, 255, 128}, {0, 0, 255, 128});
  for (const auto& [format, make] :
       {std::pair<const char*, std::string (*)(const PicturePixels&)>{"png", PngRgba},
        {"webp", WebpRgba},
        {"avif", AvifRgba}}) {
    const auto pixels = Decode(make(hidden), 32);
    ASSERT_TRUE(pixels) << format;
    EXPECT_TRUE(Near(At(*pixels, 4, 8), {255, 0, 0}, 6)) << format;
    EXPECT_TRUE(Near(At(*pixels, 28, 8), {255, 255, 255}, 6)) << format;
    const auto blended = Decode(make(half), 32);
    ASSERT_TRUE(blended) << format;
    EXPECT_TRUE(Near(At(*blended, 8, 8), {127, 127, 255}, 6)) << format;
  }
}

}  // namespace
}  // namespace zb
