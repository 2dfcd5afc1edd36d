#include "platform/posix/picture_measurer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <span>
#include <string>

#include "decoding/jpeg_encoder.h"
#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

std::string Jpeg(int width, int height) {
  const std::vector<std::uint8_t> bytes =
      EncodeJpeg({width, height, std::vector<std::uint8_t>(std::size_t{3} * width * height)}, 90);
  return {bytes.begin(), bytes.end()};
}

// The frame header far behind the first bytes, as an Exif thumbnail puts it.
std::string FarJpeg(int width, int height) {
  const std::string jpeg = Jpeg(width, height);
  const std::string segment = "\xFF\xE1\xFF\xF0" + std::string(0xFFF0 - 2, 'x');
  return jpeg.substr(0, 2) + segment + jpeg.substr(2);
}

MATCHER_P2(Size, width, height, "") {
  return arg && arg->width == unsigned(width) && arg->height == unsigned(height);
}

class PictureMeasurerTest : public ::testing::Test {
 protected:
  TestFolder folder_;
  DrivePaths paths_{folder_.Drives()};
  PictureMeasurer measurer_{paths_};
};

TEST_F(PictureMeasurerTest, FindsTheFileWhateverTheCaseOfThePath) {
  folder_.Put("Pics/Photo.JPG", Jpeg(10, 20));
  EXPECT_THAT(measurer_.Measure("C:\\PICS\\photo.jpg"), Size(10, 20));
  folder_.Put("jpeg.bmp", Jpeg(8, 6));
  EXPECT_THAT(measurer_.Measure("C:\\jpeg.bmp"), Size(8, 6));
  EXPECT_EQ(measurer_.Measure("C:\\missing.jpg"), std::nullopt);
  EXPECT_EQ(measurer_.Measure("C:\\"), std::nullopt);
}

// Past a whole head the file itself is read; a head that settles the size
// needs no file.
TEST_F(PictureMeasurerTest, OpensTheFileOnlyWhenItsHeadDoesNotSettleTheSize) {
  const auto fromHead = [&](const std::string& name, const std::string& contents) {
    const std::string head = contents.substr(0, measurer_.HeadBytes());
    return measurer_.Measure("C:\\" + name, std::as_bytes(std::span(head)));
  };
  folder_.Put("far.jpg", FarJpeg(300, 200));
  EXPECT_THAT(fromHead("far.jpg", FarJpeg(300, 200)), Size(300, 200));
  EXPECT_EQ(fromHead("nowhere.jpg", FarJpeg(300, 200)), std::nullopt);
  EXPECT_THAT(fromHead("nowhere.jpg", Jpeg(37, 23)), Size(37, 23));
}

TEST_F(PictureMeasurerTest, APipeNamedLikeAPictureDoesNotStallTheRun) {
  ASSERT_EQ(mkfifo(folder_.Host("pipe.jpg").c_str(), 0600), 0);
  EXPECT_EQ(measurer_.Measure("C:\\pipe.jpg"), std::nullopt);
}

}  // namespace
}  // namespace zb
