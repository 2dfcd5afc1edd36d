#include "gallery/picture_link.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_encoding.h"
#include "platform/fake/fake_file_system.h"

namespace zb {
namespace {

class PictureLinkTest : public ::testing::Test {
 protected:
  PictureLinkTest() { ctx.OutputFolder = "C:\\pics\\"; }
  std::string Link(const std::string& path) { return PictureLink(ctx, files, encoding, path); }

  FakeFileSystem files;
  FakeEncoding encoding;
  RunContext ctx;
};

TEST_F(PictureLinkTest, RelativeOnlyWithSameFolderAndRelativeLinksAndOnlyBelowTheOutputFolder) {
  ctx.SameDirOutput = 1;
  ctx.RelativeLinks = 1;
  EXPECT_EQ(Link("C:\\pics\\a.jpg"), "a.jpg");
  EXPECT_EQ(Link("c:\\PICS\\Sub\\b.jpg"), "Sub/b.jpg");
  EXPECT_EQ(Link("D:\\x\\a.jpg"), "file:///fake/D:/x/a.jpg");

  ctx.SameDirOutput = 0;
  EXPECT_EQ(Link("C:\\pics\\a.jpg"), "file:///fake/C:/pics/a.jpg");
  ctx.SameDirOutput = 1;
  ctx.RelativeLinks = 0;
  EXPECT_EQ(Link("C:\\pics\\a.jpg"), "file:///fake/C:/pics/a.jpg");
}

TEST_F(PictureLinkTest, RelativeLinksKeepTheirMeaningWhateverTheName) {
  ctx.SameDirOutput = 1;
  ctx.RelativeLinks = 1;
  encoding.Refuse(U'😀');
  EXPECT_EQ(Link("C:\\pics\\a&b <c> \"d\" 100% #1 ?.jpg"),
            "a&amp;b%20&lt;c&gt;%20&quot;d&quot;%20100%25%20%231%20%3F.jpg");
  EXPECT_EQ(Link("C:\\pics\\😀\\画像:1.jpg"), "%F0%9F%98%80/画像%3A1.jpg");
}

}  // namespace
}  // namespace zb
