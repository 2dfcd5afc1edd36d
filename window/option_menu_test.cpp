#include "window/option_menu.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_program.h"
#include "settings/settings_keys.h"
#include "window/design_colors.h"

namespace zb {
namespace {

std::vector<Rgb> LabelColours(MainForm& form) {
  std::vector<Rgb> colours;
  for (Label* label : ThemeLabels(form)) colours.push_back(label->ForeColor());
  return colours;
}

const std::vector<Rgb> kDesignColours = {kDarkBlue, kDarkBlue, kDarkBlue, kNavy,
                                         kDarkBlue, kDarkBlue, kDarkBlue};
const std::vector<Rgb> kAllDarkBlue(7, kDarkBlue);

TEST(OptionMenuTest, TheDeleteItemOnlyMovesItsMark) {
  FakeProgram f;
  f.files.AddFile("C:\\pics\\odd;name.jpg");
  f.form.mnuOptionItem[0].Choose();
  EXPECT_TRUE(f.form.mnuOptionItem[0].Checked());
  EXPECT_FALSE(f.form.Window.WhiteBackground());
  EXPECT_TRUE(f.files.Exists("C:\\pics\\odd;name.jpg"));
  f.form.mnuOptionItem[0].Choose();
  EXPECT_FALSE(f.form.mnuOptionItem[0].Checked());
}

TEST(OptionMenuTest, TheWhiteItemSwitchesTheBackgroundAndTheLabelColours) {
  FakeProgram f;
  EXPECT_FALSE(f.form.Window.WhiteBackground());
  EXPECT_EQ(LabelColours(f.form), kDesignColours);
  f.form.mnuOptionItem[1].Choose();
  EXPECT_TRUE(f.form.mnuOptionItem[1].Checked());
  EXPECT_TRUE(f.form.Window.WhiteBackground());
  EXPECT_EQ(LabelColours(f.form), kAllDarkBlue);
  f.form.mnuOptionItem[1].Choose();
  EXPECT_FALSE(f.form.Window.WhiteBackground());
  EXPECT_EQ(LabelColours(f.form), kDesignColours);
}

TEST(OptionMenuTest, AStoredWhiteMarkPaintsThePlainBackgroundAtStart) {
  FakePlatform host;
  host.settings.values[{"Zorbelle", kOptionsSection, "mnuOptionItem1"}] = "True";
  Program program(host.platform);
  Form_Load(program);
  EXPECT_TRUE(program.form.mnuOptionItem[1].Checked());
  EXPECT_TRUE(program.form.Window.WhiteBackground());
  EXPECT_EQ(LabelColours(program.form), kAllDarkBlue);
}

}  // namespace
}  // namespace zb
