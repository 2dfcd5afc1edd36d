#include "platform/win32/win32_thumbnail_maker.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/win32/testing/bmp_for_test.h"
#include "platform/win32/testing/wic_pixels_for_test.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

// Whole runs with the real helper beside the tests, on an output folder of
// the temporary folder.
struct Win32MakerTest : testing::Test {
  Win32MakerTest() {
    wchar_t temporary[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temporary);
    root = fs::path(temporary) / ("zorbelle-maker-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(root / "out");
    const std::vector<std::uint8_t> bmp = BmpOf(300, 200, 24, [](int, int y) {
      return Rgb{0, static_cast<std::uint8_t>(y), 0};
    });
    std::ofstream(root / "a.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    std::ofstream(root / "b.bmp") << "no picture";
  }
  ~Win32MakerTest() override { fs::remove_all(root); }

  std::string PathOf(const fs::path& path) const { return Utf8FromWide(path.wstring()); }
  std::vector<std::uint8_t> Thumbnail(const std::string& name) const {
    std::ifstream file(root / "out" / "_gazthumb" / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
  }

  fs::path root;
};

TEST_F(Win32MakerTest, MakesThumbnailsOnceAndASecondRunDecodesNothing) {
  const std::string output = PathOf(root / "out") + "\\";
  std::string made;
  {
    Win32ThumbnailMaker maker(ThumbnailerProgram());
    ASSERT_TRUE(maker.Begin(output));
    const auto picture = maker.Submit(PathOf(root / "a.bmp"), 150);
    const auto none = maker.Submit(PathOf(root / "b.bmp"), 150);
    const std::optional<std::string> name = maker.Wait(picture);
    ASSERT_TRUE(name);
    EXPECT_FALSE(maker.Wait(none));
    maker.End(true);
    made = *name;
  }
  ComForTest com;
  const std::optional<WicPixels> pixels = DecodeWithWic(Thumbnail(made));
  ASSERT_TRUE(pixels);
  EXPECT_EQ(pixels->width, 150u);
  EXPECT_EQ(pixels->height, 100u);

  std::ofstream(root / "out" / "_gazthumb" / "0123456789abcdef.jpg") << "stale";
  Win32ThumbnailMaker again(ThumbnailerProgram());
  ASSERT_TRUE(again.Begin(output));
  EXPECT_EQ(again.Wait(again.Submit(PathOf(root / "a.bmp"), 150)), made);
  EXPECT_FALSE(again.Wait(again.Submit(PathOf(root / "b.bmp"), 150)));
  again.End(true);
  EXPECT_EQ(again.Decodes(), 0u);
  EXPECT_FALSE(fs::exists(root / "out" / "_gazthumb" / "0123456789abcdef.jpg"));
}

TEST_F(Win32MakerTest, WithoutTheHelperPicturesGetNoThumbnails) {
  Win32ThumbnailMaker maker(PathOf(root / "missing.exe"));
  ASSERT_TRUE(maker.Begin(PathOf(root / "out") + "\\"));
  EXPECT_FALSE(maker.Wait(maker.Submit(PathOf(root / "a.bmp"), 150)));
  maker.End(false);
}

}  // namespace
}  // namespace zb
