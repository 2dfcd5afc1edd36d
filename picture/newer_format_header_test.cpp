#include "picture/newer_format_header.h"

#include <gtest/gtest.h>

#include <span>

#include "picture/picture_measurement.h"
#include "testing/sparse_picture_bytes.h"
#include "testing/test_pictures.h"

namespace zb {
namespace {

using Size = std::optional<std::pair<unsigned, unsigned>>;

Size Measure(const std::string& bytes) {
  SparsePictureBytes file(bytes);
  const auto size = MeasurePictureBytes(file);
  if (!size) return std::nullopt;
  return std::pair{size->width, size->height};
}

// PNG and lossy WebP are measured in PictureMeasurement and LibraryAgreement.
TEST(NewerFormatHeaders, WebpAndAvifAreMeasuredAsShown) {
  const PicturePixels picture = RedLeftBlueRight(30, 20);
  EXPECT_EQ(Measure(Webp(picture)), Size({30, 20}));
  EXPECT_EQ(Measure(Avif(picture, 0)), Size({30, 20}));
  // An AVIF turned a quarter either way has its sides swapped.
  EXPECT_EQ(Measure(Avif(picture, 1)), Size({20, 30}));
  EXPECT_EQ(Measure(Avif(picture, 2)), Size({30, 20}));
  EXPECT_EQ(Measure(Avif(picture, 3)), Size({20, 30}));
}

// Read ahead, only a head comes with the name; a header that lies past it
// is measured as from the file.
TEST(NewerFormatHeaders, AHeaderPastTheReadAheadHeadIsReadFromTheFile) {
  const std::string avif = Avif(RedLeftBlueRight(30, 20), 0);
  const std::size_t ftypEnd = static_cast<unsigned char>(avif[3]);
  const std::size_t freeBox = 2 * kPictureHeadBytes;
  std::string far = avif.substr(0, ftypEnd);
  for (int shift = 24; shift >= 0; shift -= 8) far += static_cast<char>(freeBox >> shift);
  far += "free" + std::string(freeBox - 8, '\0') + avif.substr(ftypEnd);
  const std::string head = far.substr(0, kPictureHeadBytes);
  EXPECT_EQ(Measure(far), Size({30, 20}));
  SparsePictureBytes file(far);
  const auto fromHead = MeasurePictureHead(std::as_bytes(std::span(head)), file);
  ASSERT_TRUE(fromHead);
  EXPECT_EQ(std::pair(fromHead->width, fromHead->height), std::pair(30u, 20u));
}

// Other brands: HeifHeader; cut WebP headers: LibraryAgreement.
TEST(NewerFormatHeaders, CutOrOverlongAvifHeadersGiveNoSize) {
  const std::string avif = Avif(RedLeftBlueRight(30, 20), 0);
  // Cut inside the meta box.
  EXPECT_EQ(Measure(avif.substr(0, 120)), std::nullopt);
  // A box that claims more than the file holds.
  std::string huge = avif;
  huge.replace(0, 4, std::string("\x7F\xFF\xFF\xFF", 4));
  EXPECT_EQ(Measure(huge), std::nullopt);
}

}  // namespace
}  // namespace zb
