#include "platform/win32/wic_thumbnail_decoder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>

#include "platform/win32/testing/bmp_for_test.h"
#include "platform/win32/testing/wic_pixels_for_test.h"
#include "thumbnail/thumbnail_names.h"

namespace zb {
namespace {

constexpr Rgb kRed{255, 0, 0}, kBlue{0, 0, 255}, kGreen{0, 255, 0}, kBlack{0, 0, 0};

// Quarters of distinct colours: red, blue above; green, black below.
Rgb Quarters(int x, int y, int width, int height) {
  const bool right = x >= width / 2;
  const bool below = y >= height / 2;
  return below ? (right ? kBlack : kGreen) : (right ? kBlue : kRed);
}

std::vector<std::uint8_t> QuartersBmp(int width, int height) {
  return BmpOf(width, height, 24, [=](int x, int y) { return Quarters(x, y, width, height); });
}

// A JPEG's bytes with an Exif segment giving `orientation`, right after
// its start.
std::vector<std::uint8_t> WithOrientation(std::vector<std::uint8_t> jpeg, int orientation) {
  const std::vector<std::uint8_t> exif = {
      0xFF, 0xE1, 0, 34,   'E', 'x', 'i', 'f', 0, 0,
      'M',  'M',  0, 0x2A, 0,   0,   0,   8,   0, 1,
      1,    0x12, 0, 3,    0,   0,   0,   1,   0, static_cast<std::uint8_t>(orientation),
      0,    0,    0, 0,    0,   0};
  jpeg.insert(jpeg.begin() + 2, exif.begin(), exif.end());
  return jpeg;
}

bool Near(Rgb a, Rgb b) {
  return std::abs(a.r - b.r) < 60 && std::abs(a.g - b.g) < 60 && std::abs(a.b - b.b) < 60;
}

// The colour at the middle of each quarter: top left, top right, bottom
// left, bottom right.
std::array<Rgb, 4> Corners(const WicPixels& p) {
  const unsigned l = p.width / 4, r = p.width * 3 / 4, t = p.height / 4, b = p.height * 3 / 4;
  return {p.At(l, t), p.At(r, t), p.At(l, b), p.At(r, b)};
}

struct WicThumbnails : testing::Test {
  ComForTest com;
};

TEST_F(WicThumbnails, ScalesTheLongestSideAsAskedNeverUpAndEncodesJpeg) {
  for (const auto& [side, width, height] :
       {std::array{40, 40, 20}, std::array{80, 80, 40}, std::array{500, 80, 40},
        std::array{kBrowserCopySide, 80, 40}}) {
    const std::optional<WicPixels> made =
        DecodeWithWic(WicThumbnailJpeg(QuartersBmp(80, 40), side));
    ASSERT_TRUE(made) << side;
    EXPECT_EQ(made->format, GUID_ContainerFormatJpeg);
    EXPECT_EQ(made->width, static_cast<unsigned>(width)) << side;
    EXPECT_EQ(made->height, static_cast<unsigned>(height)) << side;
    const std::array<Rgb, 4> corners = Corners(*made);
    const std::array<Rgb, 4> expected = {kRed, kBlue, kGreen, kBlack};
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(Near(corners[i], expected[i])) << side << " " << i;
  }
}

TEST_F(WicThumbnails, TurnsAndMirrorsAsTheExifOrientationSays) {
  const std::vector<std::uint8_t> plain = WicThumbnailJpeg(QuartersBmp(64, 32), 64);
  ASSERT_FALSE(plain.empty());
  // Top left, top right, bottom left, bottom right as shown.
  const std::array<std::array<Rgb, 4>, 9> shown = {{{},
                                                    {kRed, kBlue, kGreen, kBlack},
                                                    {kBlue, kRed, kBlack, kGreen},
                                                    {kBlack, kGreen, kBlue, kRed},
                                                    {kGreen, kBlack, kRed, kBlue},
                                                    {kRed, kGreen, kBlue, kBlack},
                                                    {kGreen, kRed, kBlack, kBlue},
                                                    {kBlack, kBlue, kGreen, kRed},
                                                    {kBlue, kBlack, kRed, kGreen}}};
  for (int orientation = 1; orientation <= 8; ++orientation) {
    const std::vector<std::uint8_t> jpeg = WithOrientation(plain, orientation);
    ASSERT_EQ(JpegOrientation(jpeg), orientation);
    const std::optional<WicPixels> pixels = DecodeWithWic(WicThumbnailJpeg(jpeg, 32));
    ASSERT_TRUE(pixels) << orientation;
    const bool quarter = orientation >= 5;
    EXPECT_EQ(pixels->width, quarter ? 16u : 32u) << orientation;
    EXPECT_EQ(pixels->height, quarter ? 32u : 16u) << orientation;
    const std::array<Rgb, 4> corners = Corners(*pixels);
    for (int i = 0; i < 4; ++i) {
      EXPECT_TRUE(Near(corners[i], shown[orientation][i])) << orientation << " corner " << i;
    }
  }
}

TEST_F(WicThumbnails, ReadsTheOrientationOnlyFromAnExifSegmentBeforeThePicture) {
  const std::vector<std::uint8_t> plain = WicThumbnailJpeg(QuartersBmp(16, 16), 16);
  EXPECT_EQ(JpegOrientation(plain), 1);
  std::vector<std::uint8_t> notExif = WithOrientation(plain, 6);
  notExif[4] = 'X';
  EXPECT_EQ(JpegOrientation(notExif), 1);
  // Cut one byte short of the segment's end.
  std::vector<std::uint8_t> cut = WithOrientation(plain, 6);
  cut.resize(2 + 2 + 34 - 1);
  EXPECT_EQ(JpegOrientation(cut), 1);
  EXPECT_EQ(JpegOrientation(QuartersBmp(4, 4)), 1);
}

// A GIF of 1 x 1 black with `images` images, the first one clear if asked.
std::vector<std::uint8_t> Gif(int images, bool clear = false) {
  std::vector<std::uint8_t> gif = {'G',  'I', 'F', '8', '9', 'a', 1,   0,   1,  0,
                                   0x80, 0,   0,   0,   0,   0,   255, 255, 255};
  if (clear) gif.insert(gif.end(), {0x21, 0xF9, 4, 1, 0, 0, 0, 0});
  for (int i = 0; i < images; ++i) {
    gif.insert(gif.end(), {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0});
  }
  gif.push_back(0x3B);
  return gif;
}

TEST_F(WicThumbnails, LaysTransparencyOnWhite) {
  const std::optional<WicPixels> opaque = DecodeWithWic(WicThumbnailJpeg(Gif(1), 16));
  const std::optional<WicPixels> clear = DecodeWithWic(WicThumbnailJpeg(Gif(1, true), 16));
  ASSERT_TRUE(opaque && clear);
  EXPECT_TRUE(Near(opaque->At(0, 0), kBlack));
  EXPECT_TRUE(Near(clear->At(0, 0), Rgb{255, 255, 255}));
}

TEST_F(WicThumbnails, RefusesMovingGifsAndWhatIsNoPicture) {
  EXPECT_TRUE(WicThumbnailJpeg(Gif(2), 100).empty());
  const std::string text = "not a picture at all";
  EXPECT_TRUE(WicThumbnailJpeg(std::vector<std::uint8_t>(text.begin(), text.end()), 100).empty());
  std::vector<std::uint8_t> cut = QuartersBmp(64, 64);
  cut.resize(cut.size() / 2);
  EXPECT_TRUE(WicThumbnailJpeg(cut, 100).empty());
}

// Judged from the header: the pixels of an 8200 x 8200 picture would take
// more than the limit, those of 4000 x 4000 not.
TEST_F(WicThumbnails, RefusesPicturesWhosePixelsWouldPassTheLimit) {
  ASSERT_GT(std::uint64_t{8200} * 8200 * 4, kMaxDecodedBytes);
  EXPECT_TRUE(WicThumbnailJpeg(BmpOf(8200, 8200, 1), 100).empty());
  const std::optional<WicPixels> within =
      DecodeWithWic(WicThumbnailJpeg(BmpOf(4000, 4000, 1), 100));
  ASSERT_TRUE(within);
  EXPECT_EQ(within->width, 100u);
}

}  // namespace
}  // namespace zb
