#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "cli/cli_process_for_test.h"
#include "platform/posix/testing/test_folder.h"
#include "platform/posix/thumbnailer_place.h"
#include "testing/test_heic.h"
#include "testing/test_pictures.h"

namespace zb {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using testing::Not;

// 元の画像 in Shift_JIS, as the pages hold it.
const std::string kOriginal = "\x8C\xB3\x82\xCC\x89\xE6\x91\x9C";

// Phone photos: landscape, portrait, one turned by irot, one whose odd size
// makes a grid, one upper-case name, and a damaged one; run by a copy of
// zorbelle-cli whose helper notes each start in a log.
class HeicGallery : public testing::Test {
 protected:
  HeicGallery() {
    folder_.Put("pics/land.heic", Heic(RedLeftBlueRight(320, 240)));
    folder_.Put("pics/tall.heif", Heic(RedLeftBlueRight(240, 320)));
    folder_.Put("pics/turned.heic",
                Heic(RedLeftBlueRight(320, 240), heif_orientation_rotate_90_cw));
    folder_.Put("pics/grid.heic", Heic(RedLeftBlueRight(301, 201)));
    folder_.Put("pics/IMG_0001.HEIC", Heic(RedLeftBlueRight(320, 160)));
    const std::string whole = Heic(RedLeftBlueRight(320, 240));
    folder_.Put("pics/broken.heic", whole.substr(0, 40));
    cli_ = folder_.Host("bin/zorbelle-cli");
    fs::create_directories(folder_.Host("bin"));
    fs::copy_file(ZORBELLE_CLI_PATH, cli_);
    const std::string helper =
        folder_.Put(std::string("bin/") + kThumbnailerFromBinFolder + "/" + kThumbnailerName,
                    "#!/bin/sh\necho started >> '" + folder_.Host("helper.log") + "'\nexec '" +
                        ZORBELLE_THUMBNAILER_PATH + "' \"$@\"\n");
    fs::permissions(helper, fs::perms::owner_all);
  }
  int Run(const std::string& thumbnails) {
    return CliProcess({"--yes", thumbnails, "--more-formats", folder_.Host("pics")},
                      {"ZORBELLE_DRIVES=c=" + folder_.path() + ";z=/",
                       "XDG_CONFIG_HOME=" + folder_.Host("config"), "PATH=/usr/bin:/bin"},
                      cli_)
        .Finish()
        .exitCode;
  }
  // The page's line that shows `name`.
  std::string LineOf(const std::string& page, const std::string& name) {
    const std::string text = folder_.Contents("pics/" + page);
    std::smatch found;
    const std::regex line("[^\\r\\n]*img src=\"" + name + "[^\\r\\n]*|[^\\r\\n]*href=\"" + name +
                          "\"[^\\r\\n]*img[^\\r\\n]*");
    return std::regex_search(text, found, line) ? found.str() : "";
  }
  // width and height of the reduced page's picture whose link is `href`.
  std::pair<int, int> ReducedSize(const std::string& href) {
    std::smatch found;
    const std::string line = Reduced(href);
    if (!std::regex_search(line, found, std::regex("width= ?(\\d+) height= ?(\\d+)"))) return {};
    return {std::stoi(found[1]), std::stoi(found[2])};
  }
  std::string Reduced(const std::string& href) {
    const std::string text = folder_.Contents("pics/_gaz0000.html");
    std::smatch found;
    std::regex_search(text, found, std::regex("<a href=\"" + href + "\"[^\\r\\n]*"));
    return found.str();
  }
  // The browser copy each HEIC's line links, by its original's link.
  std::string CopyOf(const std::string& original) {
    const std::string text = folder_.Contents("pics/_gaz0000.htm");
    std::smatch found;
    const std::regex pair(
        "<a href=\"(_gazthumb/[0-9a-f]{16}\\.jpg)\"[^\\r\\n]*\\r?\\n<font size=1><a href=\"" +
        original + "\"[^>]*>" + kOriginal + "</a></font>");
    return std::regex_search(text, found, pair) ? found.str(1) : "";
  }

  TestFolder folder_;
  std::string cli_;
};

TEST_F(HeicGallery, EachHeicShowsItsBrowserCopyAndLinksItsOriginal) {
  ASSERT_EQ(Run("--thumbnails"), 0);
  for (const char* name : {"land.heic", "tall.heif", "turned.heic", "grid.heic", "IMG_0001.HEIC"}) {
    const std::string copy = CopyOf(name);
    ASSERT_FALSE(copy.empty()) << name;
    EXPECT_TRUE(fs::is_regular_file(folder_.Host("pics/" + copy))) << name;
    // The reduced page opens the copy from the thumbnail.
    EXPECT_THAT(Reduced(copy), testing::ContainsRegex("img src=\"_gazthumb/[0-9a-f]{16}\\.jpg\""))
        << name;
    EXPECT_THAT(folder_.Contents("pics/_gaz0000.html"),
                HasSubstr("<font size=1><a href=\"" + std::string(name) + "\""));
  }
  // Proportions as shown: the turned one stands upright.
  EXPECT_EQ(ReducedSize(CopyOf("land.heic")), std::pair(100, 75));
  EXPECT_EQ(ReducedSize(CopyOf("turned.heic")), std::pair(75, 100));
  // The damaged one is placed as an unmeasured picture with its original.
  EXPECT_EQ(CopyOf("broken.heic"), "");
  EXPECT_THAT(LineOf("_gaz0000.htm", "broken.heic"), HasSubstr("img src=\"broken.heic\""));
  EXPECT_THAT(LineOf("_gaz0000.html", "broken.heic"), HasSubstr("img src=\"broken.heic\""));

  // Unchanged, the next run takes every copy and thumbnail as made and
  // hands its helpers nothing; the damaged one is not tried again.
  const std::string landCopy = CopyOf("land.heic");
  ASSERT_TRUE(fs::remove(folder_.Host("helper.log")));
  ASSERT_EQ(Run("--thumbnails"), 0);
  EXPECT_FALSE(fs::exists(folder_.Host("helper.log")));
  EXPECT_EQ(CopyOf("land.heic"), landCopy);
  EXPECT_TRUE(fs::exists(folder_.Host("pics/" + landCopy)));
}

TEST_F(HeicGallery, WithoutThumbnailsAHeicIsPlacedAsAnyPicture) {
  ASSERT_EQ(Run("--no-thumbnails"), 0);
  EXPECT_THAT(LineOf("_gaz0000.htm", "turned.heic"),
              testing::MatchesRegex(
                  "<a href=\"turned.heic\" [^>]*><img src=\"turned.heic\" border=0></a>"));
  EXPECT_THAT(
      LineOf("_gaz0000.html", "turned.heic"),
      testing::MatchesRegex("<a href=\"turned.heic\" [^>]*><img src=\"turned.heic\" width= 75 "
                            "height= 100 border=0></a>"));
  EXPECT_THAT(folder_.Contents("pics/_gaz0000.htm"), Not(HasSubstr(kOriginal)));
  EXPECT_FALSE(fs::exists(folder_.Host("helper.log")));
}

}  // namespace
}  // namespace zb
