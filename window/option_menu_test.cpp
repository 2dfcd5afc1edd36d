#include "window/option_menu.h"

#include <gtest/gtest.h>

#include "form/design_colors.h"
#include "settings/settings_keys.h"
#include "testing/fake_program.h"

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

TEST(OptionMenuTest, TheWhiteItemSwitchesTheBackgroundAndLabelsTheDeleteItemOnlyItsMark) {
  FakeProgram f;
  f.files.AddFile("C:\\pics\\odd;name.jpg");
  f.form.mnuOptionItem[kOptionDeleteOddFiles].Choose();
  EXPECT_TRUE(f.form.mnuOptionItem[kOptionDeleteOddFiles].Checked());
  EXPECT_TRUE(f.files.Exists("C:\\pics\\odd;name.jpg"));
  EXPECT_FALSE(f.form.Window.WhiteBackground());
  EXPECT_EQ(LabelColours(f.form), kDesignColours);
  f.form.mnuOptionItem[kOptionWhiteBackground].Choose();
  EXPECT_TRUE(f.form.mnuOptionItem[kOptionWhiteBackground].Checked());
  EXPECT_TRUE(f.form.Window.WhiteBackground());
  EXPECT_EQ(LabelColours(f.form), kAllDarkBlue);
  f.form.mnuOptionItem[kOptionWhiteBackground].Choose();
  EXPECT_FALSE(f.form.Window.WhiteBackground());
  EXPECT_EQ(LabelColours(f.form), kDesignColours);
  f.form.mnuOptionItem[kOptionDeleteOddFiles].Choose();
  EXPECT_FALSE(f.form.mnuOptionItem[kOptionDeleteOddFiles].Checked());
}

TEST(OptionMenuTest, AStoredWhiteMarkPaintsThePlainBackgroundAtStart) {
  FakePlatform host;
  host.settings.values[{"Zorbelle", kOptionsSection, "mnuOptionItem1"}] = "True";
  Program program(host.platform);
  Form_Load(program);
  EXPECT_TRUE(program.form.mnuOptionItem[kOptionWhiteBackground].Checked());
  EXPECT_TRUE(program.form.Window.WhiteBackground());
  EXPECT_EQ(LabelColours(program.form), kAllDarkBlue);
}

}  // namespace
}  // namespace zb
