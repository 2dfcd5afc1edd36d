#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "cli/cli_process_for_test.h"
#include "platform/posix/testing/test_folder.h"
#include "platform/posix/thumbnailer_place.h"
#include "testing/test_pictures.h"

namespace zb {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using testing::Not;

// Photographs (one turned by EXIF) and a PNG.
class ThumbnailCli : public testing::Test {
 protected:
  ThumbnailCli() {
    const PicturePixels photo = RedLeftBlueRight(1600, 1200);
    folder_.Put("pics/a.jpg", JpegWithOrientation(photo, 1));
    folder_.Put("pics/sub/turned.JPG", JpegWithOrientation(photo, 6));
    folder_.Put("pics/sub/shot.png", Png(photo));
  }
  ProcessResult Run(std::vector<std::string> args, const std::string& program = ZORBELLE_CLI_PATH,
                    const std::string& searchPath = "/usr/bin:/bin") {
    args.push_back(folder_.Host("pics"));
    std::vector<std::string> env = CliEnvironment(folder_);
    env.push_back("PATH=" + searchPath);
    return CliProcess(args, env, program).Finish();
  }
  // A copy of a built program at `place` under the test folder.
  std::string Copy(const std::string& program, const std::string& place) {
    const std::string copy = folder_.Host(place);
    fs::create_directories(fs::path(copy).parent_path());
    fs::copy_file(program, copy);
    return copy;
  }
  // The thumbnails' sources on the reduced page, in page order.
  std::vector<std::string> Sources() {
    const std::string page = folder_.Contents("pics/_gaz0000.html");
    std::vector<std::string> found;
    const std::regex source("src=\"([^\"]+)\"");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), source);
         it != std::sregex_iterator(); ++it) {
      found.push_back((*it)[1]);
    }
    return found;
  }
  TestFolder folder_;
};

TEST_F(ThumbnailCli, ThumbnailsAreNeverCataloguedAndTheReducedPagesStayLight) {
  ASSERT_EQ(Run({"--yes", "--thumbnails", "--more-formats", "--all-files"}).exitCode, 0);
  const auto sources = Sources();
  ASSERT_EQ(sources.size(), 3u);
  std::uintmax_t thumbnails = 0;
  for (const std::string& source : sources) {
    EXPECT_THAT(source, testing::StartsWith("_gazthumb/"));
    thumbnails += fs::file_size(folder_.Host("pics/" + source));
  }
  std::uintmax_t originals = 0;
  for (const char* p : {"pics/a.jpg", "pics/sub/turned.JPG", "pics/sub/shot.png"}) {
    originals += fs::file_size(folder_.Host(p));
  }
  const std::uintmax_t page = fs::file_size(folder_.Host("pics/_gaz0000.html"));
  EXPECT_LT(page + thumbnails, originals / 10);
  EXPECT_THAT(folder_.Contents("pics/_gaz0000.htm"), Not(HasSubstr("_gazthumb")));

  // Without thumbnails the old ones are neither listed nor placed.
  ASSERT_EQ(Run({"--yes", "--no-thumbnails", "--more-formats", "--all-files"}).exitCode, 0);
  EXPECT_THAT(folder_.Contents("pics/allfile.txt"), Not(HasSubstr("_gazthumb")));
  EXPECT_THAT(Sources(), testing::UnorderedElementsAre("a.jpg", "sub/turned.JPG", "sub/shot.png"));
}

TEST_F(ThumbnailCli, TheHelperIsFoundBesideOrWhereInstalledAndWithoutItOnlyThumbnailsAreMissing) {
  const std::string installed = Copy(ZORBELLE_CLI_PATH, "usr/bin/zorbelle-cli");
  Copy(ZORBELLE_THUMBNAILER_PATH,
       std::string("usr/bin/") + kThumbnailerFromBinFolder + "/" + kThumbnailerName);
  ASSERT_EQ(Run({"--yes", "--thumbnails"}, installed).exitCode, 0);
  EXPECT_THAT(Sources(), testing::Each(testing::StartsWith("_gazthumb/")));

  // No helper beside it nor installed: one on the search path is not taken.
  const std::string alone = Copy(ZORBELLE_CLI_PATH, "alone/zorbelle-cli");
  const std::string elsewhere = fs::path(ZORBELLE_THUMBNAILER_PATH).parent_path();
  fs::remove_all(folder_.Host("pics/_gazthumb"));
  const ProcessResult bare = Run({"--yes", "--thumbnails"}, alone, elsewhere + ":/usr/bin:/bin");
  ASSERT_EQ(bare.exitCode, 0) << bare.err;
  EXPECT_THAT(Sources(), testing::UnorderedElementsAre("a.jpg", "sub/turned.JPG"));
  for (const auto& entry : fs::directory_iterator(folder_.Host("pics/_gazthumb"))) {
    EXPECT_EQ(entry.path().filename(), "zorbelle-thumbnails.txt");
  }

  // Started by hand, the helper says what it is rather than wait for requests.
  const ProcessResult byHand = CliProcess({}, {}, ZORBELLE_THUMBNAILER_PATH).Finish();
  EXPECT_EQ(byHand.exitCode, 2);
  EXPECT_THAT(byHand.err, HasSubstr("zorbelle-thumbnailer"));
}

std::string Chromium() {
  for (const char* name : {"chromium", "chromium-browser"}) {
    for (const char* dir : {"/usr/bin/", "/usr/local/bin/"}) {
      if (access((std::string(dir) + name).c_str(), X_OK) == 0) return std::string(dir) + name;
    }
  }
  return {};
}

// Our page around the reduced page counts the pictures that did not load.
TEST_F(ThumbnailCli, EveryThumbnailLoadsInABrowser) {
  const std::string chromium = Chromium();
  if (chromium.empty()) GTEST_SKIP() << "chromium is not installed";
  ASSERT_EQ(Run({"--yes", "--thumbnails", "--more-formats"}).exitCode, 0);
  folder_.Put("pics/check.html",
              "<iframe id=f src=\"_gaz0000.html\"></iframe><script>"
              "window.onload=function(){var d=document.getElementById('f').contentDocument;"
              "var bad=0,n=0;for(var i of d.images){n++;if(!i.complete||i.naturalWidth==0)bad++;}"
              "document.body.insertAdjacentHTML('beforeend','<p id=r>images='+n+' broken='+bad+"
              "'</p>');};</script>");
  const ProcessResult browser =
      CliProcess({"--headless", "--no-sandbox", "--disable-gpu", "--log-level=3",
                  "--allow-file-access-from-files", "--virtual-time-budget=10000", "--dump-dom",
                  "file://" + folder_.Host("pics/check.html")},
                 {"HOME=" + folder_.Host("browser-home")}, chromium)
          .Finish();
  EXPECT_THAT(browser.out, HasSubstr("images=3 broken=0")) << browser.err;
}

}  // namespace
}  // namespace zb
