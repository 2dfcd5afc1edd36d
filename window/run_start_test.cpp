#include "window/run_start.h"

#include <gtest/gtest.h>

#include "settings/crash_marker.h"
#include "testing/fake_program.h"
#include "window/focus.h"
#include "window/path_field_input.h"
#include "window/path_field_validation.h"

namespace zb {
namespace {

class StartFromWindowTest : public testing::Test {
 protected:
  StartFromWindowTest() {
    f.files.AddFile("C:\\pics\\a.gif", "GIF89a");
    f.files.AddFile("C:\\gif\\b.gif", "GIF89a");
    f.form.chkSameDir.SetValue(1);
    SetFocus(f.program, search);
  }
  void PressEnter() {
    int key = kEnterKey;
    f.program.focused->KeyPress(key);
  }

  FakeProgram f;
  TextBox& search = f.form.txtOLEKensaku;
};

TEST_F(StartFromWindowTest, EveryWayOfStartingSearchesTheFolderTypedInTheField) {
  for (auto start : {+[](MainForm& form) { form.mnuRunItem[0].Choose(); },
                     +[](MainForm& form) { form.cmdStart.Press(); }}) {
    MoveFolderList(f.program, "C:\\pics");
    SetFocus(f.program, search);
    search.SetText("C:\\gif");
    start(f.form);
    EXPECT_EQ(f.run.SearchRoot, "C:\\gif\\");
    EXPECT_EQ(f.form.Dir1.Path(), "C:\\gif");
    EXPECT_TRUE(f.files.Exists("C:\\gif\\_gazlist.htm"));
    EXPECT_FALSE(f.files.Exists("C:\\pics\\_gazlist.htm"));
  }
}

TEST_F(StartFromWindowTest, StartingChecksTheFieldAsLeavingItWould) {
  search.SetText("\\\\server\\share");
  f.form.mnuRunItem[0].Choose();
  EXPECT_EQ(search.Text(), "") << "a rejected path is emptied, as on leaving";
  EXPECT_EQ(f.run.SearchRoot, "C:\\pics\\");

  f.files.AddFolder("D:\\out");
  f.form.chkSameDir.SetValue(0);
  TextBox& output = f.form.txtOLESakusei;
  SetFocus(f.program, output);
  output.SetText("D:\\out\\index");
  f.host.dialogs.shown.clear();
  f.host.dialogs.answers = {Answer::kOk};
  f.form.mnuRunItem[0].Choose();
  ASSERT_FALSE(f.host.dialogs.shown.empty());
  EXPECT_EQ(f.host.dialogs.shown[0].text, OverwriteQuestion("D:\\out\\index.htm").text);
}

TEST_F(StartFromWindowTest, EnterChecksTheFieldEvenWhereTheFocusStays) {
  search.SetText("C:\\gif\\b.gif");
  PressEnter();  // the ring's first turn lands on the search field again
  EXPECT_EQ(f.program.focused, &search);
  EXPECT_EQ(f.form.Dir1.Path(), "C:\\gif");
  search.SetText("C:\\pics");
  PressEnter();  // the output field is disabled in same-folder mode
  EXPECT_EQ(f.program.focused, &search);
  EXPECT_EQ(f.form.Dir1.Path(), "C:\\pics");
  EXPECT_EQ(f.form.txtOLESakusei.Text(), "C:\\pics\\_gazlist.htm");
}

TEST_F(StartFromWindowTest, ClosingMidRunStopsTheRunInOrderThenEnds) {
  for (int i = 0; i < 10; ++i) f.files.AddFile("C:\\pics\\" + std::to_string(i) + ".gif", "GIF89a");
  int refusedCloses = 0;
  f.host.system.onYield = [&] {
    if (f.run.FileCount == 4 && !f.program.closeAfterRun && !Form_QueryUnload(f.program)) {
      ++refusedCloses;
    }
  };
  try {
    f.Start();
    ADD_FAILURE() << "the program went on after the run";
  } catch (const FakeProgramEnded& ended) {
    EXPECT_EQ(ended.exitCode, 0);
  }
  EXPECT_EQ(refusedCloses, 1);
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kStopped);
  EXPECT_EQ(f.run.FileCount, 4);
  EXPECT_TRUE(f.files.Exists("C:\\pics\\_gazlist.htm"));
  EXPECT_TRUE(f.host.dialogs.shown.empty()) << "closing asks nothing";
  EXPECT_EQ(f.host.settings.Read("Zorbelle", kCrashMarkerSection, kCrashMarkerKey, "absent"), "")
      << "only a crash leaves the marker";
  EXPECT_EQ(f.host.settings.Read("Zorbelle", "CheckBox Value", "chkSameDir", "absent"), "1");
}

TEST_F(StartFromWindowTest, AWindowWithNoRunClosesAtOnce) {
  EXPECT_TRUE(Form_QueryUnload(f.program));
  EXPECT_FALSE(f.program.closeAfterRun);
}

}  // namespace
}  // namespace zb
