// Pages left by an earlier, larger gallery in the output folder, on the real
// disk: a whole run removes our own past its last pair, and nothing else.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "gallery/gallery_writer.h"
#include "system_tests/posix/disk_run_for_test.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

constexpr char kOurHead[] =
    "<html><head><title>\x81\x9aZorbelle\x81\xf4\x81"
    "F\x89\xe6\x91\x9c\x88\xea\x97\x97</title>"
    "</head><body  BGCOLOR=\"white\" >\r\n";

class StalePagesOnDisk : public testing::Test {
 protected:
  StalePagesOnDisk() {
    r_.program.form.hscGazoSuu.SetValue(10);
    r_.program.session.run.ImagesPerPage = 10;
    for (int i = 0; i < 30; ++i) r_.folder.Put(Picture(i), Gif(40));
  }
  static std::string Picture(int i) { return "pics/p" + std::to_string(10 + i) + ".gif"; }
  bool Has(const std::string& name) const {
    return fs::exists(fs::symlink_status(r_.folder.Host("_Zorbelle/" + name)));
  }
  bool HasPair(int k) const {
    const std::string number = "000" + std::to_string(k);
    return Has("_gaz" + number + ".htm") && Has("_gaz" + number + ".html");
  }

  DiskRun r_;
};

TEST_F(StalePagesOnDisk, AWholeRunRemovesOurPagesPastItsLastPairAndNothingElse) {
  r_.Start();
  ASSERT_EQ(r_.program.session.lastOutcome, RunOutcome::kCompleted);
  ASSERT_TRUE(HasPair(3));  // the thirtieth picture starts an empty fourth pair
  ASSERT_EQ(r_.folder.Contents("_Zorbelle/_gaz0003.htm").substr(0, sizeof kOurHead - 1), kOurHead);
  for (int i = 10; i < 30; ++i) fs::remove(r_.folder.Host(Picture(i)));
  // Named or begun otherwise than ours, or no plain file: kept.
  const std::string elsewhere = r_.folder.Put("elsewhere.htm", kOurHead);
  fs::create_symlink(elsewhere, r_.folder.Host("_Zorbelle/_gaz0004.htm"));
  r_.folder.Put("_Zorbelle/_gaz0004.html", std::string("<html>mine\r\n") + kOurHead);
  r_.folder.Put("_Zorbelle/_gaz00005.htm", kOurHead);
  r_.folder.Put("_Zorbelle/_GAZ0005.htm", kOurHead);
  r_.folder.Put("_Zorbelle/_gaz0005.htm.bak", kOurHead);
  ASSERT_EQ(mkfifo(r_.folder.Host("_Zorbelle/_gaz0005.html").c_str(), 0666), 0);
  fs::create_directory(r_.folder.Host("_Zorbelle/_gaz0006.htm"));

  // A stopped run has not written the pages it would have: nothing goes.
  int yields = 0;
  r_.OnYield([&] {
    if (++yields == 5) r_.program.form.cmdStop.Press();
  });
  r_.dialogs.answers = {Answer::kYes};
  r_.Start();
  ASSERT_EQ(r_.program.session.lastOutcome, RunOutcome::kStopped)
      << testing::PrintToString(r_.Reports());
  EXPECT_TRUE(HasPair(2));
  EXPECT_TRUE(HasPair(3));

  r_.OnYield([] {});
  r_.Start();
  ASSERT_EQ(r_.program.session.lastOutcome, RunOutcome::kCompleted);
  EXPECT_TRUE(HasPair(0));
  EXPECT_TRUE(HasPair(1));  // the tenth picture starts it: the next-link of pair 0 finds it
  EXPECT_FALSE(Has("_gaz0002.htm") || Has("_gaz0002.html") || Has("_gaz0003.htm") ||
               Has("_gaz0003.html"));
  for (const char* kept : {"_gaz0004.htm", "_gaz0004.html", "_gaz00005.htm", "_GAZ0005.htm",
                           "_gaz0005.htm.bak", "_gaz0005.html", "_gaz0006.htm"}) {
    EXPECT_TRUE(Has(kept)) << kept;
  }
  EXPECT_EQ(r_.folder.Contents("elsewhere.htm"), kOurHead);
  EXPECT_TRUE(Has("_gazlist.htm"));

  // A smaller tree into the same folder: its pages only.
  r_.folder.Put("few/a.gif", Gif(40));
  r_.Start("C:\\few");
  ASSERT_EQ(r_.program.session.lastOutcome, RunOutcome::kCompleted);
  EXPECT_TRUE(HasPair(0));
  EXPECT_FALSE(Has("_gaz0001.htm") || Has("_gaz0001.html"));
}

}  // namespace
}  // namespace zb
