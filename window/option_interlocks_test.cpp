#include "window/option_interlocks.h"

#include <gtest/gtest.h>

#include "testing/fake_program.h"

namespace zb {
namespace {

class InterlocksTest : public testing::Test {
 protected:
  std::vector<Control*> GalleryControls() {
    MainForm& m = f.form;
    return {&m.chkBmp,     &m.chkHtmlBr,  &m.hscThumbnail, &m.hscGazoSuu, &m.frmOptWin2,
            &m.optWin2[0], &m.optWin2[1], &m.optWin2[2],   &m.chkTable1};
  }
  std::vector<Control*> TableControls() {
    return {&f.form.cmbFontSize, &f.form.cmbGazoSuu, &f.form.chkFileName};
  }
  static int CountEnabled(const std::vector<Control*>& controls) {
    int n = 0;
    for (Control* c : controls) n += c->Enabled();
    return n;
  }

  FakeProgram f;
};

TEST_F(InterlocksTest, GalleryPagesOffDisablesTheTwelveAndKeepsValues) {
  f.form.chkTable1.SetValue(1);
  f.form.chkBmp.SetValue(1);
  f.form.chkGazoHtml.SetValue(0);
  EXPECT_EQ(CountEnabled(GalleryControls()), 0);
  EXPECT_EQ(CountEnabled(TableControls()), 0);
  EXPECT_TRUE(f.form.frmTable1.Enabled());
  EXPECT_EQ(f.form.chkTable1.Value(), 1);
  EXPECT_EQ(f.form.chkBmp.Value(), 1);
}

TEST_F(InterlocksTest, GalleryPagesOnEnablesTheTableControlsOnlyWithTheTable) {
  f.form.chkGazoHtml.SetValue(0);
  f.form.chkGazoHtml.SetValue(1);
  EXPECT_EQ(CountEnabled(GalleryControls()), 9);
  EXPECT_EQ(CountEnabled(TableControls()), 0);
  EXPECT_FALSE(f.form.frmTable1.Enabled());
  f.form.chkGazoHtml.SetValue(0);
  f.form.chkTable1.SetValue(1);  // only the program can do this now
  EXPECT_TRUE(f.form.frmTable1.Enabled());
  EXPECT_EQ(CountEnabled(TableControls()), 3);
  f.form.chkGazoHtml.SetValue(2);
  EXPECT_EQ(CountEnabled(GalleryControls()), 9);
  EXPECT_EQ(CountEnabled(TableControls()), 3);
  f.form.chkGazoHtml.SetValue(1);
  EXPECT_EQ(CountEnabled(TableControls()), 3);
  f.form.chkTable1.SetValue(2);
  EXPECT_EQ(CountEnabled(TableControls()), 0);
  EXPECT_FALSE(f.form.frmTable1.Enabled());
}

TEST_F(InterlocksTest, TheScrollBarsKeepTheirLabelsAndThePageSize) {
  EXPECT_EQ(f.run.ImagesPerPage, f.form.hscGazoSuu.Value());
  f.form.hscGazoSuu.SetValue(50);
  EXPECT_EQ(f.form.lGazosu.Caption(), "50");
  EXPECT_EQ(f.run.ImagesPerPage, 50);
  f.form.hscThumbnail.SetValue(f.form.hscThumbnail.Min());
  EXPECT_EQ(f.form.LblThumbnail.Caption(), "10");
}

TEST_F(InterlocksTest, ARunPutsTheScrollBarsCountOnEachPage) {
  for (int i = 0; i < 3; ++i) f.files.AddFile("C:\\pics\\p" + std::to_string(i) + ".gif");
  f.form.hscGazoSuu.SetValue(2);
  f.Start();
  EXPECT_TRUE(f.files.Exists("C:\\pics\\_gaz0001.htm"));
  EXPECT_FALSE(f.files.Exists("C:\\pics\\_gaz0002.htm"));
}

}  // namespace
}  // namespace zb
