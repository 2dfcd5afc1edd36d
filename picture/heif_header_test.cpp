#include <gtest/gtest.h>

#include <string>

#include "picture/heif_header_reader.h"
#include "testing/test_heic.h"
#include "testing/test_pictures.h"

namespace zb {
namespace {

using Size = std::optional<std::pair<unsigned, unsigned>>;

Size Measure(const std::string& bytes) {
  const auto size =
      ReadHeifSize(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  if (!size) return std::nullopt;
  return std::pair{size->width, size->height};
}

TEST(HeifHeader, AHeicIsMeasuredAsShownWhateverItsRotation) {
  const PicturePixels landscape = RedLeftBlueRight(64, 48);
  EXPECT_EQ(Measure(Heic(landscape)), Size({64, 48}));
  EXPECT_EQ(Measure(Heic(RedLeftBlueRight(48, 64))), Size({48, 64}));
  // irot by a quarter either way exchanges the sides; half a turn keeps them.
  EXPECT_EQ(Measure(Heic(landscape, heif_orientation_rotate_90_cw)), Size({48, 64}));
  EXPECT_EQ(Measure(Heic(landscape, heif_orientation_rotate_270_cw)), Size({48, 64}));
  EXPECT_EQ(Measure(Heic(landscape, heif_orientation_rotate_180)), Size({64, 48}));
}

// The codec pads an odd size, so libheif wraps the picture in a grid whose
// own 'ispe' is the shown size.
TEST(HeifHeader, AGridIsMeasuredByItsOwnSizeNotItsTiles) {
  const std::string grid = Heic(RedLeftBlueRight(61, 33));
  ASSERT_NE(grid.find("grid"), std::string::npos);
  EXPECT_EQ(Measure(grid), Size({61, 33}));
}

TEST(HeifHeader, EveryHeifBrandIsTakenAndOthersAreNot) {
  std::string heic = Heic(RedLeftBlueRight(64, 48));
  const std::size_t ftypEnd = static_cast<unsigned char>(heic[3]);
  ASSERT_EQ(heic.substr(4, 4), "ftyp");
  for (const char* brand :
       {"heic", "heix", "hevc", "heim", "heis", "hevm", "hevs", "mif1", "msf1", "avif"}) {
    std::string only = heic;
    for (std::size_t at = 8; at + 4 <= ftypEnd; at += 4) only.replace(at, 4, brand);
    EXPECT_EQ(Measure(only), Size({64, 48})) << brand;
  }
  for (std::size_t at = 8; at + 4 <= ftypEnd; at += 4) heic.replace(at, 4, "mp42");
  EXPECT_EQ(Measure(heic), std::nullopt);
}

TEST(HeifHeader, ACutOrDamagedHeicHasNoSize) {
  const std::string heic = Heic(RedLeftBlueRight(64, 48));
  const std::size_t meta = heic.find("meta");
  ASSERT_NE(meta, std::string::npos);
  EXPECT_EQ(Measure(heic.substr(0, meta + 40)), std::nullopt);
  std::string noPrimary = heic;
  noPrimary.replace(noPrimary.find("pitm"), 4, "xxxx");
  EXPECT_EQ(Measure(noPrimary), std::nullopt);
  std::string zeroWide = heic;
  for (std::size_t at = zeroWide.find("ispe"); at != std::string::npos;
       at = zeroWide.find("ispe", at + 4)) {
    zeroWide.replace(at + 8, 4, std::string(4, '\0'));
  }
  EXPECT_EQ(Measure(zeroWide), std::nullopt);
}

}  // namespace
}  // namespace zb
