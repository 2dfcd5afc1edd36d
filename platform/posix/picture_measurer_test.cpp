#include "platform/posix/picture_measurer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <span>
#include <string>

#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

// A JPEG's headers up to its first scan: enough to measure, nothing to decode.
// Large segments before the frame header put it far behind the first bytes,
// as an Exif thumbnail does.
std::string JpegHeaders(unsigned width, unsigned height, int largeSegments = 0) {
  std::string jpeg = "\xFF\xD8";
  for (int i = 0; i < largeSegments; ++i) jpeg += "\xFF\xE1\xFF\xF0" + std::string(0xFFF0 - 2, 'x');
  const auto two = [](unsigned value) {
    return std::string{static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)};
  };
  jpeg += std::string("\xFF\xC0\x00\x0B\x08", 5) + two(height) + two(width) +
          std::string("\x01\x01\x11\x00", 4);
  return jpeg + std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
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

// A pipe named like a picture must not stall the run.
TEST_F(PictureMeasurerTest, FindsAPlainFileWhateverTheCaseOfThePath) {
  folder_.Put("Pics/Photo.JPG", JpegHeaders(10, 20));
  EXPECT_THAT(measurer_.Measure("C:\\PICS\\photo.jpg"), Size(10, 20));
  folder_.Put("jpeg.bmp", JpegHeaders(8, 6));
  EXPECT_THAT(measurer_.Measure("C:\\jpeg.bmp"), Size(8, 6));
  EXPECT_EQ(measurer_.Measure("C:\\missing.jpg"), std::nullopt);
  EXPECT_EQ(measurer_.Measure("C:\\"), std::nullopt);
  ASSERT_EQ(mkfifo(folder_.Host("pipe.jpg").c_str(), 0600), 0);
  EXPECT_EQ(measurer_.Measure("C:\\pipe.jpg"), std::nullopt);
}

// Past a whole head the file itself is read; a head that settles the size
// needs no file.
TEST_F(PictureMeasurerTest, OpensTheFileOnlyWhenItsHeadDoesNotSettleTheSize) {
  const auto fromHead = [&](const std::string& name, const std::string& contents) {
    const std::string head = contents.substr(0, measurer_.HeadBytes());
    return measurer_.Measure("C:\\" + name, std::as_bytes(std::span(head)));
  };
  folder_.Put("far.jpg", JpegHeaders(300, 200, 1));
  EXPECT_THAT(fromHead("far.jpg", JpegHeaders(300, 200, 1)), Size(300, 200));
  EXPECT_EQ(fromHead("nowhere.jpg", JpegHeaders(300, 200, 1)), std::nullopt);
  EXPECT_THAT(fromHead("nowhere.jpg", JpegHeaders(37, 23)), Size(37, 23));
}

}  // namespace
}  // namespace zb
