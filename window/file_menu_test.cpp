#include "window/file_menu.h"

#include <gtest/gtest.h>

#include "testing/fake_program.h"

namespace zb {
namespace {

class FileMenuTest : public testing::Test {
 protected:
  FileMenuTest() {
    f.files.AddFile("D:\\pics\\a.jpg");
    f.form.chkSameDir.SetValue(0);
    f.host.dialogs.shown.clear();
  }

  FakeProgram f;
};

TEST_F(FileMenuTest, EachDialogAsksForAnHtmlFileWhereItsFieldPoints) {
  f.form.txtOLESakusei.SetText("D:\\pics\\list.htm");
  f.form.cmdWriteDirSet.Press();
  f.form.mnuFileItem[1].Choose();
  f.form.mnuFileItem[0].Choose();
  const std::vector<OpenFileRequest>& requests = f.host.dialogs.fileRequests;
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].startAt, "D:\\pics\\list.htm");
  EXPECT_EQ(requests[1].startAt, "D:\\pics\\list.htm");
  EXPECT_EQ(requests[2].startAt, "C:\\pics");
  for (const OpenFileRequest& request : requests) {
    EXPECT_EQ(request.filterName, "ＨＴＭＬ ファイル (*.htm)");
    EXPECT_EQ(request.filterPattern, "*.htm");
    EXPECT_TRUE(request.pathMustExist);
  }
}

TEST_F(FileMenuTest, AChosenListFileIsTakenAsItIs) {
  for (int item : {-1, 1}) {  // the browse button, then the menu item
    f.host.dialogs.chosenFiles = {"D:\\pics\\list" + std::to_string(item)};
    item < 0 ? f.form.cmdWriteDirSet.Press() : f.form.mnuFileItem[1].Choose();
    EXPECT_EQ(f.form.txtOLESakusei.Text(), "D:\\pics\\list" + std::to_string(item));
    EXPECT_EQ(f.run.ListPath, f.form.txtOLESakusei.Text());
  }
  EXPECT_TRUE(f.host.dialogs.shown.empty());
}

TEST_F(FileMenuTest, CancelChangesNothing) {
  const std::string before = f.form.txtOLESakusei.Text();
  f.form.cmdWriteDirSet.Press();
  f.form.mnuFileItem[0].Choose();
  EXPECT_EQ(f.form.txtOLESakusei.Text(), before);
  EXPECT_EQ(f.form.Dir1.Path(), "C:\\pics");
  EXPECT_EQ(f.form.txtOLEKensaku.Text(), "C:\\pics");
}

TEST_F(FileMenuTest, TheSearchFolderItemTakesTheFolderOfTheChosenFile) {
  f.host.dialogs.chosenFiles = {"D:\\pics\\new.htm"};
  f.form.mnuFileItem[0].Choose();
  EXPECT_EQ(f.form.Dir1.Path(), "D:\\pics");
  EXPECT_EQ(f.form.Drive1.Drive(), "d:");
  f.host.dialogs.chosenFiles = {"D:\\gone\\new.htm"};
  f.form.mnuFileItem[0].Choose();
  EXPECT_EQ(f.form.txtOLEKensaku.Text(), "");
  EXPECT_EQ(f.form.Dir1.Path(), "D:\\pics");
}

TEST_F(FileMenuTest, ExitEndsTheProgram) {
  try {
    f.form.mnuFileItem[3].Choose();
    FAIL() << "the program went on";
  } catch (const FakeProgramEnded& ended) {
    EXPECT_EQ(ended.exitCode, 0);
  }
}

}  // namespace
}  // namespace zb
