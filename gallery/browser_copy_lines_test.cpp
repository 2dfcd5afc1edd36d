#include <gtest/gtest.h>

#include "gallery/gallery_writer.h"
#include "platform/fake/fake_encoding.h"
#include "platform/fake/fake_file_system.h"

namespace zb {
namespace {

using Lines = std::vector<std::string>;

// One HEIC placed with its thumbnail and browser copy.
class BrowserCopyLines : public ::testing::Test {
 protected:
  BrowserCopyLines() {
    files.AddFolder("C:\\out");
    ctx.OutputFolder = "C:\\out\\";
    ctx.ListFileName = "_gazlist.htm";
    ctx.ImagesPerPage = 20;
    ctx.ThumbnailSize = 120;
    ctx.NameFontSize = "2";
    ctx.TargetAttr = "target=\"_blank\"";
  }
  std::pair<Lines, Lines> Place(const std::string* copy) {
    writer.StartFirstPair(ctx);
    const std::string thumbnail = "_gazthumb/t.jpg";
    writer.WritePicture(ctx, "a/IMG_1.HEIC", 120, 90, "C:\\pics\\a\\IMG_1.HEIC", &thumbnail, copy);
    writer.ClosePair();
    return {FromPicture(files.Lines("C:\\out\\_gaz0000.htm")),
            FromPicture(files.Lines("C:\\out\\_gaz0000.html"))};
  }
  // From the picture's own line on, past the head and navigation bar.
  static Lines FromPicture(const Lines& page) {
    auto first = page.begin();
    while (first != page.end() && first->find("<img") == std::string::npos) ++first;
    return Lines(first, page.end());
  }

  RunContext ctx;
  FakeFileSystem files;
  FakeEncoding encoding;
  GalleryWriter writer{files, encoding};
  const std::string copy = "_gazthumb/c.jpg";
};

TEST_F(BrowserCopyLines, TheCopyIsShownAndTheOriginalLinkedBeneath) {
  const auto [normal, reduced] = Place(&copy);
  const std::string original =
      "<font size=1><a href=\"a/IMG_1.HEIC\" target=\"_blank\">元の画像</a></font>";
  EXPECT_EQ(normal, Lines({"<a href=\"_gazthumb/c.jpg\" target=\"_blank\"><img "
                           "src=\"_gazthumb/c.jpg\" border=0></a>",
                           original}));
  EXPECT_EQ(reduced, Lines({"<a href=\"_gazthumb/c.jpg\" target=\"_blank\"><img "
                            "src=\"_gazthumb/t.jpg\" width= 120 height= 90 border=0></a>",
                            original}));
}

TEST_F(BrowserCopyLines, WhereFileNamesAreShownTheNameLinksTheOriginal) {
  ctx.TableLayout = 1;
  ctx.ShowFileName = 1;
  ctx.ImagesPerRow = 4;
  const auto [normal, reduced] = Place(&copy);
  const std::string name =
      "<br><font size=2><a href=\"a/IMG_1.HEIC\" "
      "target=\"_blank\">C:\\pics\\a\\IMG_1.HEIC</a></font>";
  ASSERT_GE(normal.size(), 2u);
  EXPECT_EQ(normal[1], name);
  EXPECT_EQ(reduced[1], name);
}

}  // namespace
}  // namespace zb
