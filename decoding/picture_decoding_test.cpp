#include "decoding/picture_decoding.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <span>

#include "testing/test_jpeg_writer.h"
#include "testing/test_pictures.h"

namespace zb {
namespace {

std::optional<PicturePixels> Decode(const std::string& bytes, int side,
                                    const DecodeLimits& limits = {}) {
  return DecodeForThumbnail(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), side, limits);
}

// A red pixel as a GIF of `frames` images, with a comment extension before each.
std::string Gif(int frames) {
  std::string gif("GIF89a\x01\0\x01\0\x80\0\0\xFF\0\0\0\0\0", 19);
  for (int i = 0; i < frames; ++i) {
    gif += std::string("\x21\xFE\x02hi\0", 6);
    gif += std::string(",\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0", 15);
  }
  return gif + ";";
}

TEST(ThumbnailDecoding, EveryFormatComesOutFittedToTheSide) {
  const PicturePixels picture = RedLeftBlueRight(400, 200);
  for (const auto& [format, bytes] :
       {std::pair<const char*, std::string>{"jpeg", JpegWithOrientation(picture, 1)},
        {"png", Png(picture)},
        {"webp", Webp(picture)},
        {"avif", Avif(picture, 0)}}) {
    const auto pixels = Decode(bytes, 100);
    ASSERT_TRUE(pixels) << format;
    EXPECT_EQ(pixels->width, 100) << format;
    EXPECT_EQ(pixels->height, 50) << format;
    EXPECT_EQ(ColourAt(*pixels, 10, 25), "red") << format;
    EXPECT_EQ(ColourAt(*pixels, 90, 25), "blue") << format;
    const auto whole = Decode(bytes, 500);  // smaller than the side: kept as it is
    ASSERT_TRUE(whole) << format;
    EXPECT_EQ(std::pair(whole->width, whole->height), std::pair(400, 200)) << format;
  }
}

TEST(ThumbnailDecoding, StandsAsTheBrowserShowsTheOriginal) {
  const PicturePixels picture = RedLeftBlueRight(400, 200);
  // 6: turned a quarter clockwise to be shown, so the left (red) is on top.
  const auto turned = Decode(JpegWithOrientation(picture, 6), 100);
  ASSERT_TRUE(turned);
  EXPECT_EQ(turned->width, 50);
  EXPECT_EQ(turned->height, 100);
  EXPECT_EQ(ColourAt(*turned, 25, 10), "red");
  EXPECT_EQ(ColourAt(*turned, 25, 90), "blue");
  // 8: a quarter anti-clockwise, the left at the bottom; 3 and 2 swap sides.
  const auto back = Decode(JpegWithOrientation(picture, 8), 100);
  ASSERT_TRUE(back);
  EXPECT_EQ(ColourAt(*back, 25, 90), "red");
  for (int orientation : {2, 3}) {
    const auto mirrored = Decode(JpegWithOrientation(picture, orientation), 100);
    ASSERT_TRUE(mirrored);
    EXPECT_EQ(ColourAt(*mirrored, 90, 25), "red") << orientation;
  }
  // AVIF's irot of one quarter anti-clockwise puts the left at the bottom.
  const auto avif = Decode(Avif(picture, 1), 100);
  ASSERT_TRUE(avif);
  EXPECT_EQ(avif->width, 50);
  EXPECT_EQ(ColourAt(*avif, 25, 90), "red");
}

TEST(ThumbnailDecoding, CutDamagedAndUnknownPicturesGiveNone) {
  const PicturePixels picture = RedLeftBlueRight(400, 200);
  const std::string jpeg = JpegWithOrientation(picture, 1);
  EXPECT_FALSE(Decode(jpeg.substr(0, jpeg.size() / 2), 100));
  std::string png = Png(picture);
  png.replace(png.size() / 2, 64, std::string(64, '\x55'));  // a damaged IDAT
  EXPECT_FALSE(Decode(png, 100));
  for (const std::string& whole : {Webp(picture), Avif(picture, 0)}) {
    EXPECT_FALSE(Decode(whole.substr(0, whole.size() / 2), 100));
  }
  EXPECT_FALSE(Decode(std::string("GIF89a\x10\0\x10\0", 10) + std::string(64, '\0'), 100));
  EXPECT_FALSE(Decode(Gif(1).substr(0, 20), 100));
  EXPECT_FALSE(Decode("", 100));
}

TEST(ThumbnailDecoding, AStillGifGetsAThumbnailAMovingOneKeepsItsOriginal) {
  const auto still = Decode(Gif(1), 100);
  ASSERT_TRUE(still);
  EXPECT_EQ(still->width, 1);
  EXPECT_EQ(ColourAt(*still, 0, 0), "red");
  EXPECT_FALSE(Decode(Gif(2), 100));
}

constexpr std::uint64_t kMiB = 1024 * 1024;

TEST(PictureDecodeLimits, AProgressiveJpegIsChargedItsFullSizeCoefficients) {
  // 1024 x 1024 at 4:4:4: 6 MiB of coefficients, kept whole when progressive
  // however small the thumbnail; a baseline stream is decoded a row at a time.
  const PicturePixels photo = RedLeftBlueRight(1024, 1024);
  const std::string baseline = TestJpeg(photo, {.fullChroma = true});
  const std::string progressive = TestJpeg(photo, {.progressive = true, .fullChroma = true});
  EXPECT_TRUE(Decode(baseline, 100, {.bytes = 4 * kMiB}));
  EXPECT_FALSE(Decode(progressive, 100, {.bytes = 4 * kMiB}));
  EXPECT_TRUE(Decode(progressive, 100, {.bytes = 7 * kMiB}));
  // Unscaled, its 3 MiB of pixels come on top of the coefficients.
  EXPECT_FALSE(Decode(progressive, 1024, {.bytes = 8 * kMiB}));
  EXPECT_TRUE(Decode(progressive, 1024, {.bytes = 10 * kMiB}));
}

TEST(PictureDecodeLimits, ATinyProgressiveJpegClaimingAHugeSizeIsRefused) {
  std::string jpeg = TestJpeg(RedLeftBlueRight(64, 64), {.progressive = true});
  const std::size_t sof = jpeg.find("\xFF\xC2");
  ASSERT_NE(sof, std::string::npos);
  jpeg.replace(sof + 5, 4, std::string("\x5D\xC0\x5D\xC0", 4));  // 24000 x 24000
  EXPECT_FALSE(Decode(jpeg, 240));
}

TEST(PictureDecodeLimits, AJpegOfTooManyScansIsGivenUp) {
  // A DC scan and one for each of the 63 AC coefficients of each component.
  const std::string jpeg = TestJpeg(RedLeftBlueRight(64, 64), {.everyCoefficientAlone = true});
  ASSERT_FALSE(jpeg.empty());
  EXPECT_TRUE(Decode(jpeg, 32));
  EXPECT_TRUE(Decode(jpeg, 32, {.jpegScans = 190}));
  EXPECT_FALSE(Decode(jpeg, 32, {.jpegScans = 189}));
}

TEST(PictureDecodeLimits, OtherFormatsAreChargedTheirWholeDecodedSize) {
  // 512 x 512: stb_image, libwebp and libavif each hold the whole picture,
  // some of it several times over.
  const PicturePixels picture = RedLeftBlueRight(512, 512);
  for (const auto& [format, bytes] : {std::pair<const char*, std::string>{"png", Png(picture)},
                                      {"webp", Webp(picture)},
                                      {"avif", Avif(picture, 0)}}) {
    EXPECT_TRUE(Decode(bytes, 64, {.bytes = 8 * kMiB})) << format;
    EXPECT_FALSE(Decode(bytes, 64, {.bytes = 2 * kMiB})) << format;
  }
  // A PNG header that claims 60000 x 60000, its CRC made to match.
  std::string png = Png(RedLeftBlueRight(8, 8));
  for (std::size_t at : {16u, 20u}) png.replace(at, 4, std::string("\0\0\xEA\x60", 4));
  const auto* ihdr = reinterpret_cast<const Bytef*>(png.data() + 12);
  const uLong crc = crc32(crc32(0L, Z_NULL, 0), ihdr, 17);
  for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
  EXPECT_FALSE(Decode(png, 100));
}

}  // namespace
}  // namespace zb
