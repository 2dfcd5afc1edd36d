#include "platform/win32/win32_picture_measurer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win32/testing/win32_test_folder.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace zb {
namespace {

constexpr std::string_view kGif = "GIF89a\x80\x02\xE0\x01";

// A JPEG whose frame header lies far behind its first bytes, as behind an
// Exif thumbnail.
std::string FarJpeg() {
  return "\xFF\xD8\xFF\xE1\xFF\xF0" + std::string(0xFFF0 - 2, 'x') +
         std::string("\xFF\xC0\x00\x0B\x08\x01\xE0\x02\x80\x01\x01\x11\x00", 13) +
         std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
}

MATCHER_P2(Size, width, height, "") {
  return arg && arg->width == unsigned(width) && arg->height == unsigned(height);
}

std::vector<std::byte> BytesOf(std::string_view text) {
  const auto* bytes = reinterpret_cast<const std::byte*>(text.data());
  return {bytes, bytes + text.size()};
}

TEST(Win32PictureMeasurerTest, MeasuresDiskFilesFromTheHeadOrTheFile) {
  Win32TestFolder folder;
  folder.Put("A.gif", kGif);
  const std::string jpeg = folder.Put("far.jpg", FarJpeg());
  Win32PictureMeasurer measurer;
  EXPECT_EQ(measurer.HeadBytes(), std::size_t{4096});
  EXPECT_THAT(measurer.Measure(folder.At("a.GIF")), Size(640, 480));
  EXPECT_THAT(measurer.Measure(jpeg), Size(640, 480));
  EXPECT_EQ(measurer.Measure(folder.At("missing.gif")), std::nullopt);
  EXPECT_EQ(measurer.Measure(folder.path()), std::nullopt);
  // The head settles it: the file is not opened.
  EXPECT_THAT(measurer.Measure(folder.At("missing.gif"), BytesOf(kGif)), Size(640, 480));
  // A frame header behind the head is read from the file.
  const std::string head = FarJpeg().substr(0, measurer.HeadBytes());
  EXPECT_THAT(measurer.Measure(jpeg, BytesOf(head)), Size(640, 480));
  EXPECT_EQ(measurer.Measure(folder.At("missing.jpg"), BytesOf(head)), std::nullopt);
}

TEST(Win32PictureMeasurerTest, APipeNamedLikeAPictureIsRefusedAtOnce) {
  Win32TestFolder folder;
  ASSERT_TRUE(folder.Fifo("pipe.jpg"));
  Win32PictureMeasurer measurer;
  EXPECT_EQ(measurer.Measure(folder.At("pipe.jpg")), std::nullopt);
  const std::string head = FarJpeg().substr(0, measurer.HeadBytes());
  EXPECT_EQ(measurer.Measure(folder.At("pipe.jpg"), BytesOf(head)), std::nullopt);
}

}  // namespace
}  // namespace zb
