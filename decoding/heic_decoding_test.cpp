#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include "decoding/browser_copy.h"
#include "decoding/picture_decoding.h"
#include "testing/test_heic.h"
#include "testing/test_pictures.h"

namespace zb {
namespace {

std::span<const std::uint8_t> Bytes(const std::string& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

std::optional<PicturePixels> Thumbnail(const std::string& heic, int side,
                                       const DecodeLimits& limits = {}) {
  return DecodeForThumbnail(Bytes(heic), side, limits);
}

// The browser copy as a browser decodes it.
std::optional<PicturePixels> CopyPixels(const std::vector<std::uint8_t>& jpeg) {
  if (jpeg.empty()) return std::nullopt;
  return DecodeForThumbnail(jpeg, 1 << 20);
}

TEST(HeicDecoding, ThumbnailsAreFittedAndStandAsShown) {
  const PicturePixels picture = RedLeftBlueRight(400, 200);
  const auto plain = Thumbnail(Heic(picture), 100);
  ASSERT_TRUE(plain);
  EXPECT_EQ(std::pair(plain->width, plain->height), std::pair(100, 50));
  EXPECT_EQ(ColourAt(*plain, 10, 25), "red");
  EXPECT_EQ(ColourAt(*plain, 90, 25), "blue");
  // A quarter clockwise: the left (red) comes on top.
  const auto turned = Thumbnail(Heic(picture, heif_orientation_rotate_90_cw), 100);
  ASSERT_TRUE(turned);
  EXPECT_EQ(std::pair(turned->width, turned->height), std::pair(50, 100));
  EXPECT_EQ(ColourAt(*turned, 25, 10), "red");
  EXPECT_EQ(ColourAt(*turned, 25, 90), "blue");
}

TEST(HeicDecoding, TheBrowserCopyIsTheWholePictureTurnedWithItsProfile) {
  std::vector<std::uint8_t> profile(300);
  for (std::size_t i = 0; i < profile.size(); ++i) profile[i] = static_cast<std::uint8_t>(i * 7);
  const std::vector<std::uint8_t> copy = MakeBrowserCopy(
      Bytes(Heic(RedLeftBlueRight(640, 320), heif_orientation_rotate_90_cw, profile)));
  const auto pixels = CopyPixels(copy);
  ASSERT_TRUE(pixels);
  EXPECT_EQ(std::pair(pixels->width, pixels->height), std::pair(320, 640));
  EXPECT_EQ(ColourAt(*pixels, 160, 20), "red");
  EXPECT_EQ(ColourAt(*pixels, 160, 620), "blue");
  // Kept as it came: one APP2 marker holds it whole.
  EXPECT_NE(std::search(copy.begin(), copy.end(), profile.begin(), profile.end()), copy.end());
  const std::vector<std::uint8_t> bare = MakeBrowserCopy(Bytes(Heic(RedLeftBlueRight(64, 48))));
  const std::string marker = "ICC_PROFILE";
  EXPECT_EQ(std::search(bare.begin(), bare.end(), marker.begin(), marker.end()), bare.end());
}

TEST(HeicDecoding, DamagedOrOverTheLimitGivesNothing) {
  const std::string heic = Heic(RedLeftBlueRight(400, 200));
  EXPECT_FALSE(Thumbnail(heic.substr(0, heic.size() / 2), 100));
  EXPECT_TRUE(MakeBrowserCopy(Bytes(heic.substr(0, heic.size() / 2))).empty());
  // 400 x 200 at 14 bytes a pixel is 1.12 MB.
  EXPECT_FALSE(Thumbnail(heic, 100, {.bytes = 1'100'000}));
  EXPECT_TRUE(Thumbnail(heic, 100, {.bytes = 1'200'000}));
  EXPECT_TRUE(MakeBrowserCopy(Bytes(heic), {.bytes = 1'100'000}).empty());
  // An AVIF keeps its own decoder and gets no browser copy.
  const std::string avif = Avif(RedLeftBlueRight(64, 48), 0);
  EXPECT_TRUE(MakeBrowserCopy(Bytes(avif)).empty());
  EXPECT_TRUE(Thumbnail(avif, 100));
}

}  // namespace
}  // namespace zb
