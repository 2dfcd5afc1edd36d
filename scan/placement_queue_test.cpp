#include "scan/placement_queue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scan/run_stop.h"
#include "settings/crash_marker.h"
#include "testing/fake_program.h"

namespace zb {
namespace {

using testing::Each;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::Not;

// Pictures whose thumbnails never come, as behind helpers that hang.
struct HungThumbnails : FakeProgram {
  HungThumbnails() {
    form.mnuOptionItem[kOptionThumbnails].SetChecked(true);
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
      files.AddFile(std::string("C:\\pics\\") + name);
    maker.hung = true;
  }
  FakeThumbnailMaker& maker = host.thumbnails;
};

// The window keeps running while the run waits; a signal's stop abandons
// the thumbnails, and the pictures go on the pages with their originals.
TEST(ThumbnailWait, AStopWhileThumbnailsHangAbandonsThemAndWritesThePages) {
  HungThumbnails f;
  f.host.system.onYield = [&] {
    if (f.maker.waits == 5) ConfirmStop(f.program.session);
  };
  f.Start();
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kStopped);
  EXPECT_EQ(f.maker.abandoned, 1);
  EXPECT_EQ(f.maker.waits, 5) << "the stop was heard at the first yield after it";
  EXPECT_EQ(f.PictureLines("C:\\pics\\_gaz0000.html").size(), 3u);
  EXPECT_THAT(f.PictureLines("C:\\pics\\_gaz0000.html"), Each(Not(HasSubstr("_gazthumb"))));
  EXPECT_TRUE(f.files.Exists("C:\\pics\\_gazlist.htm"));
  EXPECT_THAT(f.maker.ended, ElementsAre(false));
}

// Stop pressed in the window while the run waits is asked about there and
// then; "No" goes on waiting.
TEST(ThumbnailWait, StopPressedWhileWaitingIsAskedAbout) {
  HungThumbnails f;
  f.host.system.onYield = [&] {
    if (f.maker.waits == 2 || f.maker.waits == 4) f.form.cmdStop.Press();
  };
  f.host.dialogs.answers = {Answer::kNo, Answer::kYes};
  f.Start();
  EXPECT_EQ(f.host.dialogs.shown.size(), 2u);
  EXPECT_EQ(f.maker.waits, 4);
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kStopped);
  EXPECT_EQ(f.PictureLines("C:\\pics\\_gaz0000.html").size(), 3u);
}

// While helpers decode, this process reads no picture: a crash or a kill
// then must not be blamed on the last one it measured.
TEST(ThumbnailWait, TheCrashMarkerNamesNoPictureWhileTheRunWaits) {
  HungThumbnails f;
  std::vector<std::string> marked;
  f.maker.onWait = [&] {
    marked.push_back(
        f.host.settings.Read("Zorbelle", kCrashMarkerSection, kCrashMarkerKey, "unwritten"));
    if (marked.size() == 3) f.maker.hung = false;
  };
  f.Start();
  ASSERT_EQ(marked.size(), 5u);  // three for the first picture, one for each other
  EXPECT_THAT(marked, Each(""));
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kCompleted);
}

}  // namespace
}  // namespace zb
