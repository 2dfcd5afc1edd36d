#include "gallery/list_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/fake/fake_encoding.h"
#include "platform/fake/fake_file_system.h"

namespace zb {
namespace {

using ::testing::ElementsAre;

constexpr char kList[] = "C:\\out\\_gazlist.htm";

class ListPageTest : public ::testing::Test {
 protected:
  ListPageTest() {
    files.AddFolder("C:\\out");
    ctx.ListPath = kList;
    ctx.OutputFolder = "C:\\out\\";
    ctx.ListFileName = "_gazlist.htm";
    ctx.SearchRoot = "C:\\pics\\";
    ctx.ImagesPerPage = 20;
    ctx.FooterHtml = "<center>FOOT</center>";
  }
  void Write(bool galleryPages, bool subFolders) {
    WriteListPage(ctx, galleryPages, subFolders, gallery, files, encoding);
  }
  std::vector<std::string> List() const { return files.Lines(kList); }

  FakeFileSystem files;
  FakeEncoding encoding;
  GalleryWriter gallery{files, encoding};
  RunContext ctx;
};

TEST_F(ListPageTest, LinksEveryPairAndSummarisesTheRun) {
  ctx.ImageCount = 45;
  Write(true, true);
  EXPECT_THAT(
      List(),
      ElementsAre(
          "<html><head><title>★Zorbelle♪：画像リスト</title></head><body  BGCOLOR=\"white\" "
          "><center>",
          "<center>FOOT</center>", "<hr><h1>画像リスト</h1><font size=5><p>",
          "通常表示　　　縮小表示<br>",
          "<a href=\"_gaz0000.htm\">_gaz0000.htm</a>　　<a "
          "href=\"_gaz0000.html\">_gaz0000.html</a>　<br>",
          "<a href=\"_gaz0001.htm\">_gaz0001.htm</a>　　<a "
          "href=\"_gaz0001.html\">_gaz0001.html</a>　<br>",
          "<a href=\"_gaz0002.htm\">_gaz0002.htm</a>　　<a "
          "href=\"_gaz0002.html\">_gaz0002.html</a>　<br>",
          "<p></font><hr>", "今回はC:\\pics\\以下のディレクトリにある画像を検索しました｡<br>",
          "全部で  45個 の画像がありました。<br>", "１画面あたり  20 個のファイルを表示します｡<br>",
          "画像をクリックすると、<b>もう一のブラウザ</b>で本来の画像を表示します。<br>", "",
          "</center></body></html>"));
  EXPECT_EQ(files.OpenFileCount(), 0);
}

TEST_F(ListPageTest, RowCountFollowsWholePagesAndTheSearchLineFollowsSubFolders) {
  ctx.ImageCount = 40;
  ctx.SearchRoot = "C:\\a&b\\";
  Write(true, false);
  const std::vector<std::string> lines = List();
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[6],
            "<a href=\"_gaz0002.htm\">_gaz0002.htm</a>　　<a "
            "href=\"_gaz0002.html\">_gaz0002.html</a>　<br>");
  EXPECT_EQ(lines[8], "今回はC:\\a&amp;b\\ディレクトリにある画像を検索しました｡<br>");

  ctx.ImageCount = 0;
  Write(true, true);
  EXPECT_EQ(List().size(), 12u);
  EXPECT_EQ(List()[4],
            "<a href=\"_gaz0000.htm\">_gaz0000.htm</a>　　<a "
            "href=\"_gaz0000.html\">_gaz0000.html</a>　<br>");
}

TEST_F(ListPageTest, WithoutGalleryPagesNothingIsWritten) {
  files.AddFile(kList, "old");
  Write(false, true);
  EXPECT_EQ(files.Bytes(kList), "old");
  EXPECT_EQ(files.OperationCount(), 0);
}

TEST_F(ListPageTest, ClosesTheOpenPairAsItStands) {
  gallery.StartFirstPair(ctx);
  gallery.WritePicture(ctx, "a.jpg", 1, 1, "a.jpg");
  ctx.ImageCount = 1;
  Write(true, true);
  EXPECT_EQ(files.OpenFileCount(), 0);
  EXPECT_FALSE(gallery.PairOpen());
  EXPECT_EQ(files.Lines("C:\\out\\_gaz0000.htm").back(),
            "<a href=\"a.jpg\" ><img src=\"a.jpg\" border=0></a>");
}

TEST_F(ListPageTest, FailuresAreThrownWithNoFileLeftOpen) {
  for (const FakeOperation op : {FakeOperation::kCreate, FakeOperation::kWriteLine}) {
    FakeFileSystem failing;
    failing.AddFolder("C:\\out");
    failing.FailAt(op, kList);
    GalleryWriter writer(failing, encoding);
    EXPECT_THROW(WriteListPage(ctx, true, true, writer, failing, encoding), FileError);
    EXPECT_EQ(failing.OpenFileCount(), 0);
  }
  files.FailAt(FakeOperation::kClose, "C:\\out\\_gaz0000.htm");
  gallery.StartFirstPair(ctx);
  EXPECT_THROW(Write(true, true), FileError);
  EXPECT_EQ(files.OpenFileCount(), 0);
}

}  // namespace
}  // namespace zb
