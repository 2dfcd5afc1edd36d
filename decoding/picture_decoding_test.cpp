#include "decoding/picture_decoding.h"

#include <gtest/gtest.h>

#include <span>

#include "testing/test_pictures.h"

namespace zb {
namespace {

std::optional<PicturePixels> Decode(const std::string& bytes, int side) {
  return DecodeForThumbnail(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), side);
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
  }
}

TEST(ThumbnailDecoding, APictureSmallerThanTheSideKeepsItsSize) {
  const auto pixels = Decode(JpegWithOrientation(RedLeftBlueRight(64, 48), 1), 240);
  ASSERT_TRUE(pixels);
  EXPECT_EQ(pixels->width, 64);
  EXPECT_EQ(pixels->height, 48);
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

}  // namespace
}  // namespace zb
