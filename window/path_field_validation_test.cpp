#include "window/path_field_validation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "testing/fake_program.h"

namespace zb {
namespace {

class SearchFieldTest : public testing::Test {
 protected:
  SearchFieldTest() {
    f.files.AddFile("D:\\pics\\a.jpg");
    f.files.AddFolder("D:\\pics\\sub");
  }
  void Leave(const std::string& typed) {
    f.form.txtOLEKensaku.SetText(typed);
    txtOLEKensaku_LostFocus(f.program);
  }

  FakeProgram f;
};

TEST_F(SearchFieldTest, AnUnresolvablePathEmptiesTheFieldAndLeavesTheLists) {
  for (const char* typed : {"", "\\\\server\\pics", "D:\\gone\\x", "pics"}) {
    Leave(typed);
    EXPECT_EQ(f.form.txtOLEKensaku.Text(), "") << typed;
    EXPECT_EQ(f.form.Dir1.Path(), "C:\\pics") << typed;
    EXPECT_EQ(f.form.Drive1.Drive(), "c:") << typed;
  }
}

TEST_F(SearchFieldTest, AFolderARootOrAFileMovesBothListsAndTheFieldShowsTheListsForm) {
  Leave("d:\\pics\\sub\\\\");
  EXPECT_EQ(f.form.Drive1.Drive(), "d:");
  EXPECT_EQ(f.form.Dir1.Path(), "D:\\pics\\sub");
  EXPECT_EQ(f.form.File1.Path(), "D:\\pics\\sub");
  EXPECT_EQ(f.form.txtOLEKensaku.Text(), "D:\\pics\\sub");
  Leave("C:\\");
  EXPECT_EQ(f.form.Dir1.Path(), "C:\\");
  Leave("D:\\pics\\a.jpg");
  EXPECT_EQ(f.form.Dir1.Path(), "D:\\pics");
  Leave("D:\\pics\\nothing");
  EXPECT_EQ(f.form.Dir1.Path(), "D:\\pics");
  EXPECT_EQ(f.form.txtOLEKensaku.Text(), "D:\\pics");
}

TEST_F(SearchFieldTest, InSameFolderModeTheOutputFollows) {
  f.form.chkSameDir.SetValue(1);
  Leave("D:\\pics\\sub");
  EXPECT_EQ(f.form.txtOLESakusei.Text(), "D:\\pics\\sub\\_gazlist.htm");
  EXPECT_EQ(f.run.ListPath, "D:\\pics\\sub\\_gazlist.htm");
}

TEST_F(SearchFieldTest, LeavingAgainSeesAFolderMadeMeanwhile) {
  Leave("D:\\pics");
  f.files.AddFolder("D:\\pics\\new");
  Leave("D:\\pics");
  EXPECT_THAT(f.form.Dir1.Items(),
              testing::ElementsAre("D:\\", "D:\\pics", "D:\\pics\\new", "D:\\pics\\sub"));
}

class OutputFieldTest : public testing::Test {
 protected:
  OutputFieldTest() {
    f.files.AddFolder("D:\\out");
    f.files.AddFolder("D:\\my.pics");
    f.form.chkSameDir.SetValue(0);
    f.host.dialogs.shown.clear();
  }
  void Leave(const std::string& typed) {
    f.form.txtOLESakusei.SetText(typed);
    txtOLESakusei_LostFocus(f.program);
  }
  std::string Shown() const { return f.form.txtOLESakusei.Text(); }

  FakeProgram f;
};

TEST_F(OutputFieldTest, AFolderGetsTheListPageWithoutAQuestion) {
  for (const char* typed : {"D:\\out", "D:\\out\\"}) {
    Leave(typed);
    EXPECT_EQ(Shown(), "D:\\out\\_gazlist.htm") << typed;
    EXPECT_EQ(f.run.ListPath, "D:\\out\\_gazlist.htm") << typed;
  }
  EXPECT_TRUE(f.host.dialogs.shown.empty());
}

TEST_F(OutputFieldTest, AFileNameIsMadeHtmlAndAlwaysAsksBeforeOverwriting) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"D:\\out\\index", "D:\\out\\index.htm"},
      {"D:\\out\\LIST.HTML", "D:\\out\\LIST.HTML"},
      {"D:\\out\\list.shtml", "D:\\out\\list.shtml"},
      {"D:\\out\\list.txt", "D:\\out\\list.txt.htm"},
      {"D:\\my.pics\\list", "D:\\my.pics\\list.htm"}};
  for (const auto& [typed, expected] : cases) {
    f.host.dialogs.shown.clear();
    f.host.dialogs.answers = {Answer::kOk};
    Leave(typed);
    EXPECT_EQ(Shown(), expected);
    EXPECT_EQ(f.run.ListPath, expected);
    ASSERT_EQ(f.host.dialogs.shown.size(), 1u) << typed;
    const MessageBox& box = f.host.dialogs.shown[0];
    EXPECT_EQ(box.text, expected + "を上書きします。よろしいですか？");
    EXPECT_EQ(box.title, "昔のリストはなくなっちゃうぞ");
    EXPECT_EQ(box.buttons, Buttons::kOkCancel);
    EXPECT_EQ(box.defaultButton, Answer::kOk);
  }
}

TEST_F(OutputFieldTest, CancelOrAnUnresolvablePathEmptiesTheFieldAndTheListPath) {
  f.host.dialogs.answers = {Answer::kCancel};
  Leave("D:\\out\\index");
  EXPECT_EQ(Shown(), "");
  EXPECT_EQ(f.run.ListPath, "");

  f.host.dialogs.shown.clear();
  Leave("D:\\out");
  Leave("D:\\gone\\list.htm");
  EXPECT_EQ(Shown(), "");
  EXPECT_EQ(f.run.ListPath, "");
  EXPECT_TRUE(f.host.dialogs.shown.empty());
}

}  // namespace
}  // namespace zb
