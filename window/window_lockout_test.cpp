// The window as a run leaves it.
#include <gtest/gtest.h>

#include "platform/fake/fake_program.h"

namespace zb {
namespace {

class AfterRunTest : public testing::Test {
 protected:
  AfterRunTest() { f.form.chkAllFileList.SetValue(0); }
  FakeProgram f;
  MainForm& m = f.form;
};

TEST_F(AfterRunTest, AnAllFileListAloneStillPointsAtView) {
  m.chkGazoHtml.SetValue(0);
  m.chkAllFileList.SetValue(1);
  f.Start();
  EXPECT_TRUE(m.cmdView.Enabled());
  EXPECT_FALSE(m.lblAnnai[0].Visible());
  EXPECT_TRUE(m.lblAnnai[1].Visible());
}

TEST_F(AfterRunTest, NoPicturesAndNoListLeaveViewDisabledAndNoArrow) {
  f.files.AddFile("C:\\pics\\a.txt");
  f.Start();
  EXPECT_FALSE(m.cmdView.Enabled());
  EXPECT_FALSE(m.lblAnnai[0].Visible());
  EXPECT_FALSE(m.lblAnnai[1].Visible());
  EXPECT_TRUE(m.cmdStart.Enabled());
  EXPECT_FALSE(m.cmdStop.Enabled());
  EXPECT_TRUE(m.mnuRunItem[0].Enabled());
  EXPECT_FALSE(m.mnuRunItem[1].Enabled());
}

TEST_F(AfterRunTest, SameFolderModeKeepsTheOutputFieldLockedButNotItsButton) {
  m.chkSameDir.SetValue(1);
  f.Start();
  EXPECT_FALSE(m.txtOLESakusei.Enabled());
  EXPECT_TRUE(m.cmdWriteDirSet.Enabled());
  EXPECT_TRUE(m.txtOLEKensaku.Enabled());
}

TEST_F(AfterRunTest, WithoutTheTableItsControlsStayDisabled) {
  m.chkGazoHtml.SetValue(1);
  m.chkTable1.SetValue(0);
  f.Start();
  EXPECT_TRUE(m.chkTable1.Enabled());
  EXPECT_FALSE(m.cmbFontSize.Enabled());
  EXPECT_FALSE(m.cmbGazoSuu.Enabled());
  EXPECT_FALSE(m.chkFileName.Enabled());
}

TEST_F(AfterRunTest, ClearingFastModeMidRunShowsEveryFileFromThenOn) {
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
