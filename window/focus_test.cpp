#include "window/focus.h"

#include <gtest/gtest.h>

#include "testing/fake_program.h"
#include "window/path_field_input.h"

namespace zb {
namespace {

class FocusRingTest : public testing::Test {
 protected:
  FocusRingTest() {
    f.form.chkSameDir.SetValue(0);
    f.host.dialogs.answers = {Answer::kOk, Answer::kOk, Answer::kOk};
  }
  // Enter in whichever field has the focus; true when the field saw the key.
  bool PressEnter() {
    int key = kEnterKey;
    program.focused->KeyPress(key);
    return key != 0;
  }

  FakeProgram f;
  Program& program = f.program;
  TextBox& search = f.form.txtOLEKensaku;
  TextBox& output = f.form.txtOLESakusei;
};

TEST_F(FocusRingTest, EnterAlternatesBetweenTheFieldsStartingWithTheSearchField) {
  SetFocus(program, search);
  EXPECT_FALSE(PressEnter());
  EXPECT_EQ(program.focused, &search);
  PressEnter();
  EXPECT_EQ(program.focused, &output);
  EXPECT_TRUE(output.HasFocus());
  EXPECT_FALSE(search.HasFocus());
  PressEnter();
  EXPECT_EQ(program.focused, &search);

  // A disabled output field leaves the focus where it is.
  f.form.chkSameDir.SetValue(1);
  PressEnter();
  EXPECT_EQ(program.focused, &search);
  PressEnter();
  EXPECT_EQ(program.focused, &search);
}

TEST_F(FocusRingTest, TakingTheFocusSelectsTheWholeTextInCharacters) {
  search.SetText("C:\\写真\\旅行");
  search.Select(2, 0);
  SetFocus(program, search);
  EXPECT_EQ(search.SelStart(), 0);
  EXPECT_EQ(search.SelLength(), 8);
}

TEST_F(FocusRingTest, WhileItsFieldIsDisabledTheFocusStaysAndNothingIsChecked) {
  SetFocus(program, search);
  search.SetText("nowhere");
  search.SetEnabled(false);
  FocusMovedTo(program, nullptr);
  FocusMovedTo(program, &output);
  EXPECT_EQ(program.focused, &search);
  EXPECT_EQ(search.Text(), "nowhere");
  search.SetEnabled(true);
  FocusMovedTo(program, nullptr);
  EXPECT_EQ(program.focused, nullptr);
  EXPECT_EQ(search.Text(), "");
}

}  // namespace
}  // namespace zb
