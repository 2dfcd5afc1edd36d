#include <gtest/gtest.h>
#include <zlib.h>

#include <span>

#include "decoding/picture_decoding.h"
#include "testing/test_jpeg_writer.h"
#include "testing/test_pictures.h"

namespace zb {
namespace {

std::optional<PicturePixels> Decode(const std::string& bytes, int side,
                                    const DecodeLimits& limits = {}) {
  return DecodeForThumbnail(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), side, limits);
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
