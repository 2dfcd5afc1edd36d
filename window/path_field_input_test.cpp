#include "window/path_field_input.h"

#include <gtest/gtest.h>

#include "testing/fake_program.h"

namespace zb {
namespace {

class DropTest : public testing::Test {
 protected:
  DropTest() {
    f.files.AddFile("D:\\pics\\a.jpg");
    f.files.AddFolder("D:\\out");
    f.form.chkSameDir.SetValue(0);
    f.host.dialogs.shown.clear();
  }

  FakeProgram f;
};

TEST_F(DropTest, OnlyTheFirstFileCountsAndGoesOnTheClipboard) {
  f.form.txtOLEKensaku.OLEDragDrop({"D:\\pics\\a.jpg", "D:\\out"});
  EXPECT_EQ(f.form.Dir1.Path(), "D:\\pics");
  EXPECT_EQ(f.form.txtOLEKensaku.Text(), "D:\\pics");
  EXPECT_EQ(f.host.system.clipboard, "D:\\pics\\a.jpg");
}

TEST_F(DropTest, AFolderSelectsItselfAFileOutsideEveryDriveEmptiesTheField) {
  f.form.txtOLEKensaku.OLEDragDrop({"/srv/x.jpg"});
  EXPECT_EQ(f.form.txtOLEKensaku.Text(), "");
  EXPECT_EQ(f.form.Dir1.Path(), "C:\\pics");
  EXPECT_EQ(f.host.system.clipboard, "/srv/x.jpg");
  f.form.txtOLEKensaku.OLEDragDrop({"D:\\out"});
  EXPECT_EQ(f.form.Dir1.Path(), "D:\\out");
}

TEST_F(DropTest, OnTheOutputFieldTheDropIsCheckedWithItsQuestion) {
  f.host.dialogs.answers = {Answer::kOk};
  f.form.txtOLESakusei.OLEDragDrop({"D:\\pics\\a.jpg"});
  EXPECT_EQ(f.form.txtOLESakusei.Text(), "D:\\pics\\a.jpg.htm");
  EXPECT_EQ(f.run.ListPath, "D:\\pics\\a.jpg.htm");
  EXPECT_EQ(f.host.dialogs.shown.size(), 1u);
}

TEST_F(DropTest, ADropWithoutFilesOrOnADisabledFieldIsIgnored) {
  f.host.system.clipboard = "before";
  f.form.txtOLEKensaku.OLEDragDrop({});
  f.form.chkSameDir.SetValue(1);
  const std::string output = f.form.txtOLESakusei.Text();
  f.form.txtOLESakusei.OLEDragDrop({"D:\\out"});
  EXPECT_EQ(f.form.txtOLESakusei.Text(), output);
  EXPECT_EQ(f.form.txtOLEKensaku.Text(), "C:\\pics");
  EXPECT_EQ(f.host.system.clipboard, "before");
}

}  // namespace
}  // namespace zb
