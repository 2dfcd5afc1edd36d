// The window as a run holds and leaves it.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "testing/fake_program.h"

namespace zb {
namespace {

using Controls = std::map<std::string, Control*>;

// What a run depends on: locked from Start to the end of the run.
Controls LockedDuringARun(MainForm& m) {
  return {{"Drive1", &m.Drive1},
          {"Dir1", &m.Dir1},
          {"File1", &m.File1},
          {"SSTab1", &m.SSTab1},
          {"hscGazoSuu", &m.hscGazoSuu},
          {"cmdStart", &m.cmdStart},
          {"cmdView", &m.cmdView},
          {"chkAllFileList", &m.chkAllFileList},
          {"chkLelative", &m.chkLelative},
          {"chkSameDir", &m.chkSameDir},
          {"chkGazoHtml", &m.chkGazoHtml},
          {"chkBmp", &m.chkBmp},
          {"chkHtmlBr", &m.chkHtmlBr},
          {"chkSubDir", &m.chkSubDir},
          {"hscThumbnail", &m.hscThumbnail},
          {"txtOLEKensaku", &m.txtOLEKensaku},
          {"txtOLESakusei", &m.txtOLESakusei},
          {"cmdWriteDirSet", &m.cmdWriteDirSet},
          {"optWin2(0)", &m.optWin2[0]},
          {"optWin2(1)", &m.optWin2[1]},
          {"optWin2(2)", &m.optWin2[2]},
          {"frmOptWin2", &m.frmOptWin2},
          {"mnuFileItem(0)", &m.mnuFileItem[0]},
          {"mnuFileItem(1)", &m.mnuFileItem[1]},
          {"mnuFileItem(3)", &m.mnuFileItem[3]},
          {"mnuViewItem(0)", &m.mnuViewItem[0]},
          {"mnuViewItem(1)", &m.mnuViewItem[1]},
          {"chkTable1", &m.chkTable1},
          {"cmbFontSize", &m.cmbFontSize},
          {"cmbGazoSuu", &m.cmbGazoSuu},
          {"chkFileName", &m.chkFileName},
          {"mnuRunItem(0)", &m.mnuRunItem[0]},
          {"mnuOptionItem(2)", &m.mnuOptionItem[kOptionThumbnails]},
          {"mnuOptionItem(3)", &m.mnuOptionItem[kOptionMoreFormats]}};
}

// Usable during a run: the stop commands and what the run does not read
// at Start.
Controls UsableDuringARun(MainForm& m) {
  return {{"cmdStop", &m.cmdStop},
          {"mnuRunItem(1)", &m.mnuRunItem[1]},
          {"chkSpeed", &m.chkSpeed},
          {"chkXLS2PRN", &m.chkXLS2PRN},
          {"cmdInternet", &m.cmdInternet},
          {"frmTable1", &m.frmTable1},
          {"mnuFileItem(2)", &m.mnuFileItem[2]},
          {"mnuOptionItem(0)", &m.mnuOptionItem[kOptionDeleteOddFiles]},
          {"mnuOptionItem(1)", &m.mnuOptionItem[kOptionWhiteBackground]},
          {"mnuHelpItem(0)", &m.mnuHelpItem[0]},
          {"mnuHelpItem(1)", &m.mnuHelpItem[1]},
          {"mnuHelpItem(2)", &m.mnuHelpItem[2]}};
}

std::map<std::string, bool> EnabledStates(const Controls& controls) {
  std::map<std::string, bool> states;
  for (const auto& [name, control] : controls) states[name] = control->Enabled();
  return states;
}

std::map<std::string, bool> All(const Controls& controls, bool enabled) {
  std::map<std::string, bool> states;
  for (const auto& [name, control] : controls) states[name] = enabled;
  return states;
}

TEST(RunLockOut, DuringARunOnlyTheStopCommandsAndTheFreeControlsAreUsable) {
  FakeProgram f;
  f.files.AddFile("C:\\pics\\a.gif", "GIF89a");
  const Controls locked = LockedDuringARun(f.form);
  const Controls usable = UsableDuringARun(f.form);
  for (const Controls* group : {&locked, &usable}) {
    for (const auto& [name, control] : *group) control->SetEnabled(true);
  }
  f.form.cmdStop.SetEnabled(false);
  f.form.mnuRunItem[1].SetEnabled(false);
  std::map<std::string, bool> lockedSeen, usableSeen;
  f.host.system.onYield = [&] {
    if (!lockedSeen.empty()) return;
    lockedSeen = EnabledStates(locked);
    usableSeen = EnabledStates(usable);
    f.form.mnuOptionItem[kOptionThumbnails].Choose();
  };
  f.Start();
  EXPECT_EQ(lockedSeen, All(locked, false));
  EXPECT_EQ(usableSeen, All(usable, true));
  EXPECT_FALSE(f.form.mnuOptionItem[kOptionThumbnails].Checked());
}

// How the window is left, for each way the options and results go.
struct AfterRunCase {
  int gallery, table, sameFolder, allFiles;
  bool picture;
};

class UnlockAfterRun : public testing::TestWithParam<AfterRunCase> {};

TEST_P(UnlockAfterRun, EveryLockedControlComesBackAsTheOptionsAllow) {
  const AfterRunCase c = GetParam();
  FakeProgram f;
  if (c.picture) f.files.AddFile("C:\\pics\\a.gif", "GIF89a");
  MainForm& m = f.form;
  m.chkGazoHtml.SetValue(c.gallery);
  m.chkTable1.SetValue(c.table);
  m.chkSameDir.SetValue(c.sameFolder);
  m.chkAllFileList.SetValue(c.allFiles);
  f.Start();
  ASSERT_EQ(f.program.session.lastOutcome, RunOutcome::kCompleted);

  std::map<std::string, bool> expected = All(LockedDuringARun(m), true);
  const bool results = (c.gallery == 1 && c.picture) || c.allFiles == 1;
  expected["cmdView"] = results;
  for (const char* name : {"chkBmp", "chkHtmlBr", "frmOptWin2", "optWin2(0)", "optWin2(1)",
                           "optWin2(2)", "chkTable1"}) {
    expected[name] = c.gallery == 1;
  }
  for (const char* name : {"cmbFontSize", "cmbGazoSuu", "chkFileName"}) {
    expected[name] = c.gallery == 1 && c.table == 1;
  }
  expected["txtOLESakusei"] = c.sameFolder == 0;
  EXPECT_EQ(EnabledStates(LockedDuringARun(m)), expected);
  EXPECT_FALSE(m.cmdStop.Enabled());
  EXPECT_FALSE(m.mnuRunItem[1].Enabled());
  EXPECT_EQ(m.lblAnnai[1].Visible(), results);
  EXPECT_FALSE(m.lblAnnai[0].Visible());
}

INSTANTIATE_TEST_SUITE_P(Options, UnlockAfterRun,
                         testing::Values(AfterRunCase{1, 1, 1, 0, true},
                                         AfterRunCase{1, 0, 0, 0, false},
                                         AfterRunCase{1, 1, 0, 1, false},
                                         AfterRunCase{0, 1, 1, 1, false},
                                         AfterRunCase{0, 0, 0, 1, true}));

TEST(RunLockOut, ClearingFastModeMidRunShowsEveryFileFromThenOn) {
  FakeProgram f;
  MainForm& m = f.form;
  for (int i = 0; i < 3; ++i) f.files.AddFile("C:\\pics\\f" + std::to_string(i) + ".txt");
  std::vector<std::string> counts;
  f.host.system.onYield = [&] {
    counts.push_back(m.LblFileCount.Caption());
    m.chkSpeed.SetValue(0);
  };
  f.Start();
  EXPECT_EQ(counts, (std::vector<std::string>{"0", "0", "1", "2"}));
}

}  // namespace
}  // namespace zb
