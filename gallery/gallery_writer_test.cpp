#include "gallery/gallery_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gallery/navigation_bar.h"
#include "platform/fake/fake_encoding.h"
#include "platform/fake/fake_file_system.h"

namespace zb {
namespace {

using ::testing::ElementsAreArray;

constexpr char kHead[] =
    "<html><head><title>★Zorbelle♪：画像一覧</title></head><body  BGCOLOR=\"white\" >";
constexpr char kCell[] = "</td><td width=120><center>";
constexpr char kNextRow[] = "</td></tr></table><table border=1><tr><td width=120><center>";

using Lines = std::vector<std::string>;

// Picture i as the per-file stage hands it over: link "p<i>.jpg", fitted 100 x 75.
std::string Normal(int i) {
  const std::string link = "p" + std::to_string(i) + ".jpg";
  return "<a href=\"" + link + "\" ><img src=\"" + link + "\" border=0></a>";
}
std::string Reduced(int i) {
  const std::string link = "p" + std::to_string(i) + ".jpg";
  return "<a href=\"" + link + "\" ><img src=\"" + link + "\" width= 100 height= 75 border=0></a>";
}
std::string Name(int i) {
  return "<br><font size=2>C:\\pics\\p" + std::to_string(i) + ".jpg</font>";
}

// The navigation bar of pair n, normal page then reduced page.
std::pair<Lines, Lines> Bar(int n) {
  FakeFileSystem scratch;
  FakeEncoding encoding;
  auto normal = scratch.CreateTextFile("C:\\n");
  auto reduced = scratch.CreateTextFile("C:\\r");
  WriteNavigationBar(*normal, *reduced, n, "_gazlist.htm", encoding);
  return {scratch.Lines("C:\\n"), scratch.Lines("C:\\r")};
}

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// An output folder and a writer on a fresh fake file system.
struct Gallery {
  Gallery() { files.AddFolder("C:\\out"); }

  // Places pictures as the per-file stage does.
  void Place(RunContext& ctx, int count) {
    for (int placed = 0; placed < count; ++placed) {
      if (ctx.ImageCount == 0) writer.StartFirstPair(ctx);
      const int i = ctx.ImageCount + 1;
      writer.WritePicture(ctx, "p" + std::to_string(i) + ".jpg", 100, 75,
                          "C:\\pics\\p" + std::to_string(i) + ".jpg");
      writer.CountPicture(ctx);
    }
  }
  Lines Page(const std::string& name) const { return files.Lines("C:\\out\\" + name); }

  FakeFileSystem files;
  FakeEncoding encoding;
  GalleryWriter writer{files, encoding};
};

class GalleryWriterTest : public ::testing::Test {
 protected:
  GalleryWriterTest() {
    ctx.OutputFolder = "C:\\out\\";
    ctx.ListFileName = "_gazlist.htm";
    ctx.ImagesPerPage = 20;
    ctx.ThumbnailSize = 120;
    ctx.NameFontSize = "2";
    ctx.FooterHtml = "<center>FOOT</center>";
  }

  RunContext ctx;
  Gallery g;
};

TEST_F(GalleryWriterTest, FullPairsAreFinishedAndTheLastPairStopsAfterItsLastPicture) {
  g.Place(ctx, 45);
  g.writer.ClosePair();
  EXPECT_EQ(g.files.OpenFileCount(), 0);
  EXPECT_EQ(ctx.PagePath, "C:\\out\\_gaz0002.htm");
  EXPECT_FALSE(g.files.Exists("C:\\out\\_gaz0003.htm"));

  for (int pair = 0; pair < 2; ++pair) {
    const auto [normalBar, reducedBar] = Bar(pair + 1);
    Lines normalPictures, reducedPictures;
    for (int i = pair * 20 + 1; i <= pair * 20 + 20; ++i) {
      normalPictures.push_back(Normal(i));
      reducedPictures.push_back(Reduced(i));
    }
    const std::string number = "000" + std::to_string(pair);
    EXPECT_EQ(g.Page("_gaz" + number + ".htm"),
              Join({{kHead},
                    normalBar,
                    normalPictures,
                    {"<p><font size=1>　<center>FOOT</center></font>"},
                    normalBar,
                    {"</body></html>"}}));
    EXPECT_EQ(g.Page("_gaz" + number + ".html"),
              Join({{kHead},
                    reducedBar,
                    reducedPictures,
                    {"<p><font size=1>  <center>FOOT</center></font>"},
                    reducedBar,
                    {"</body></html>"}}));
  }
  const auto [normalBar, reducedBar] = Bar(3);
  EXPECT_EQ(
      g.Page("_gaz0002.htm"),
      Join({{kHead}, normalBar, {Normal(41), Normal(42), Normal(43), Normal(44), Normal(45)}}));
  EXPECT_EQ(g.Page("_gaz0002.html")[6],
            "<a href=\"p41.jpg\" ><img src=\"p41.jpg\" width= 100 height= 75 border=0></a>");
}

TEST_F(GalleryWriterTest, APictureThatFillsTheLastPageLeavesAnEmptyPairStarted) {
  g.Place(ctx, 40);
  g.writer.ClosePair();
  const auto [normalBar, reducedBar] = Bar(3);
  EXPECT_EQ(g.Page("_gaz0002.htm"), Join({{kHead}, normalBar}));
  EXPECT_EQ(g.Page("_gaz0002.html"), Join({{kHead}, reducedBar}));
  EXPECT_EQ(g.Page("_gaz0001.htm").back(), "</body></html>");
}

TEST_F(GalleryWriterTest, TableLayoutMakesOneTablePerRowAndRestartsRowsOnEveryPage) {
  ctx.TableLayout = 1;
  ctx.ShowFileName = 1;
  ctx.ImagesPerRow = 4;
  ctx.ImagesPerPage = 10;
  g.Place(ctx, 16);
  g.writer.ClosePair();

  const Lines first = g.Page("_gaz0000.htm");
  const Lines firstEnd(first.end() - 11, first.end());
  EXPECT_EQ(firstEnd, Join({{Normal(10), Name(10), kCell, "</td></tr></table>",
                             "<p><font size=1>　<center>FOOT</center></font>"},
                            Bar(1).first,
                            {"</body></html>"}}));
  EXPECT_EQ(first[6], "<table border=1 ><tr><td width=120><center>");

  const Lines last = g.Page("_gaz0001.htm");
  EXPECT_EQ(Lines(last.begin() + 6, last.end()),
            Lines({"<table border=1 ><tr><td width=120><center>", Normal(11), Name(11), kCell,
                   Normal(12), Name(12), kCell, Normal(13), Name(13), kCell, Normal(14), Name(14),
                   kNextRow, Normal(15), Name(15), kCell, Normal(16), Name(16), kCell}));
  EXPECT_EQ(g.Page("_gaz0001.html")[8], Name(11));

  // The next run's first row starts empty, whatever the last run left.
  ctx.ImageCount = 0;
  g.Place(ctx, 4);
  g.writer.ClosePair();
  EXPECT_EQ(g.Page("_gaz0000.htm").back(), kNextRow);
}

TEST_F(GalleryWriterTest, PictureLinesFollowTargetAndLineBreakOptions) {
  struct Case {
    std::string target;
    std::int16_t lineBreak;
    std::string normal, reduced;
  };
  const Case cases[] = {
      {"", 0, "<a href=\"a.jpg\" ><img src=\"a.jpg\" border=0></a>",
       "<a href=\"a.jpg\" ><img src=\"a.jpg\" width= 120 height= 80 border=0></a>"},
      {" TARGET=_blank ", 0, "<a href=\"a.jpg\"  TARGET=_blank ><img src=\"a.jpg\" border=0></a>",
       "<a href=\"a.jpg\"  TARGET=_blank ><img src=\"a.jpg\" width= 120 height= 80 border=0></a>"},
      {" TARGET=\"aaa\" ", 1,
       "<a href=\"a.jpg\"  TARGET=\"aaa\" ><img src=\"a.jpg\" border=0></a><br>",
       "<a href=\"a.jpg\"  TARGET=\"aaa\" ><img src=\"a.jpg\" width= 120 height= 80 "
       "border=0></a><br>"},
  };
  ctx.ShowFileName = 1;  // without table layout no name line is written
  for (const Case& c : cases) {
    ctx.TargetAttr = c.target;
    ctx.HtmlLineBreak = c.lineBreak;
    g.writer.StartFirstPair(ctx);
    g.writer.WritePicture(ctx, "a.jpg", 120, 80, "C:\\pics\\a.jpg");
    g.writer.ClosePair();
    EXPECT_THAT(g.Page("_gaz0000.htm"),
                ElementsAreArray(Join({{kHead}, Bar(1).first, {c.normal}})));
    EXPECT_THAT(g.Page("_gaz0000.html"),
                ElementsAreArray(Join({{kHead}, Bar(1).second, {c.reduced}})));
  }
}

TEST_F(GalleryWriterTest, NamesGoAsEscapedTextAndNoFontSizeCanAddToTheTag) {
  ctx.TableLayout = 1;
  ctx.ShowFileName = 1;
  ctx.ImagesPerRow = 30;
  g.encoding.Refuse(U'😀');
  const std::string escaped = "sub\\a&amp;b&lt;c&gt;&quot;d&quot; 100% #?&#128512;.jpg</font>";
  const std::pair<const char*, const char*> cases[] = {
      {"7", "<font size=7>"},
      {"+2", "<font size=+2>"},
      {"-1", "<font size=-1>"},
      {"1 onmouseover=alert(1)", "<font size=\"1 onmouseover=alert(1)\">"},
      {"1><script>", "<font size=\"1&gt;&lt;script&gt;\">"},
      {"+", "<font size=\"+\">"},
      {"", "<font size=\"\">"},
  };
  g.writer.StartFirstPair(ctx);
  for (const auto& [typed, tag] : cases) {
    ctx.NameFontSize = typed;
    g.writer.WritePicture(ctx, "a.jpg", 1, 1, "sub\\a&b<c>\"d\" 100% #?😀.jpg");
    for (const char* page : {"_gaz0000.htm", "_gaz0000.html"}) {
      EXPECT_EQ(g.Page(page).end()[-2], std::string("<br>") + tag + escaped) << typed;
    }
  }
}

TEST_F(GalleryWriterTest, PictureLinesGoToTheReducedPageFirstAndLostLinesDoNotStopTheRun) {
  ctx.TableLayout = 1;
  ctx.ShowFileName = 1;
  ctx.ImagesPerRow = 4;
  g.writer.StartFirstPair(ctx);
  // The first call of a picture is its reduced line: that page loses it and
  // every line after; the normal page goes on.
  g.files.FailOperationNumber(g.files.OperationCount() + 1);
  g.writer.WritePicture(ctx, "p1.jpg", 100, 75, "C:\\pics\\p1.jpg");
  g.writer.WritePicture(ctx, "p2.jpg", 100, 75, "C:\\pics\\p2.jpg");
  const Lines normal = g.Page("_gaz0000.htm");
  const Lines reduced = g.Page("_gaz0000.html");
  EXPECT_EQ(Lines(normal.begin() + 7, normal.end()),
            Lines({Normal(1), Name(1), kCell, Normal(2), Name(2), kCell}));
  EXPECT_EQ(reduced.size(), 7u);
  EXPECT_THROW(g.writer.CloseFullPairAndStartNext(ctx), FileError);
  EXPECT_EQ(g.files.OpenFileCount(), 0);
}

// A run that fails keeps the pages of the run before it wherever it had not
// finished their replacements; pages it began under new names stay begun.
TEST_F(GalleryWriterTest, AFailedStepKeepsTheOldPagesItHadNotFinished) {
  for (const char* name : {"_gaz0000.htm", "_gaz0000.html", "_gaz0001.htm"}) {
    g.files.AddFile(std::string("C:\\out\\") + name, "old");
  }
  g.files.FailAt(FakeOperation::kCreate, "C:\\out\\_gaz0000.html");
  EXPECT_THROW(g.writer.StartFirstPair(ctx), FileError);
  EXPECT_EQ(g.files.Bytes("C:\\out\\_gaz0000.htm"), "old");

  Gallery second;
  for (const char* name : {"_gaz0000.htm", "_gaz0001.htm"}) {
    second.files.AddFile(std::string("C:\\out\\") + name, "old");
  }
  RunContext run = ctx;
  run.ImagesPerPage = 2;
  second.Place(run, 3);
  second.writer.Discard();
  EXPECT_EQ(second.files.Lines("C:\\out\\_gaz0000.htm").back(), "</body></html>");
  EXPECT_EQ(second.files.Bytes("C:\\out\\_gaz0001.htm"), "old");
  EXPECT_EQ(second.files.Lines("C:\\out\\_gaz0001.html").back(), Reduced(3));
  EXPECT_EQ(second.files.OpenFileCount(), 0);
}

TEST_F(GalleryWriterTest, AnyFailingCallOfAGuardedStepThrowsWithNoFileLeftOpen) {
  ctx.TableLayout = 1;
  ctx.ImagesPerRow = 4;
  ctx.ImagesPerPage = 2;
  Gallery clean;
  RunContext run = ctx;
  clean.Place(run, 3);  // start, two pictures, roll over, one picture
  int failures = 0;
  for (int n = 1; n <= clean.files.OperationCount(); ++n) {
    Gallery faulty;
    run = ctx;
    faulty.files.FailOperationNumber(n);
    try {
      faulty.Place(run, 3);
    } catch (const FileError&) {
      ++failures;
      EXPECT_EQ(faulty.files.OpenFileCount(), 0) << "call " << n;
      EXPECT_FALSE(faulty.writer.PairOpen());
      faulty.writer.WritePicture(run, "a.jpg", 1, 1, "a.jpg");  // nothing to write to, no crash
    }
  }
  EXPECT_GT(failures, 0);
}

}  // namespace
}  // namespace zb
