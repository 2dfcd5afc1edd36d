#include "window/form_lifecycle.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "window/program.h"

namespace zb {
namespace {

using testing::ElementsAre;

class FormLoadTest : public testing::Test {
 protected:
  FormLoadTest() {
    host.files.AddFolder("C:\\pics");
    program.screen = {19200, 14400};
    program.form.Window.Move(0, 0, 9001, 7200);
    Form_Load(program);
  }

  FakePlatform host;
  Program program{host.platform};
  MainForm& f = program.form;
};

TEST_F(FormLoadTest, CentresTheWindowNamesTheVersionAndStartsTheListsOnTheWindowsDrive) {
  EXPECT_EQ(f.Window.Bounds(), (Bounds{5099, 3600, 9001, 7200}));
  EXPECT_EQ(CenterForm(100.5, 50, 10, 10).left, 45);
  EXPECT_EQ(CenterForm(10, 10, 20, 20).top, -5);
  EXPECT_EQ(f.Window.Caption(), "★Zorbelle♪　ＨＤＤ【全】画像HTML作成 V. 4.2.1");
  EXPECT_EQ(f.lblVersion.Caption(), "Ver 4.2.1");
  EXPECT_NE(program.session.run.FooterHtml.find("V4.2.1"), std::string::npos);
  EXPECT_EQ(f.Drive1.Drive(), "c:");
  EXPECT_EQ(f.Dir1.Path(), "C:\\");
  EXPECT_THAT(f.Dir1.Items(), ElementsAre("C:\\", "C:\\pics"));
}

TEST_F(FormLoadTest, EveryActivationTicksFastModeAndShowsTheFolder) {
  Form_Activate(program);
  f.chkSpeed.SetValue(0);
  f.txtOLEKensaku.SetText("typed");
  Form_Activate(program);
  EXPECT_EQ(f.chkSpeed.Value(), 1);
  EXPECT_EQ(program.session.run.FastMode, 1);
  EXPECT_EQ(f.txtOLEKensaku.Text(), "C:\\");
  EXPECT_TRUE(program.activatedOnce);
}

TEST_F(FormLoadTest, UnloadEndsTheProgram) { EXPECT_THROW(Form_Unload(program), FakeProgramEnded); }

}  // namespace
}  // namespace zb
