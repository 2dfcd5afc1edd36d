#include "window/path_fields.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "testing/fake_program.h"
#include "window/folder_list_items.h"

namespace zb {
namespace {

using testing::ElementsAre;

TEST(FolderListFormTest, SettlesDotsAndSpellsTheDriveInCapitals) {
  EXPECT_EQ(FolderListForm("c:"), "C:\\");
  EXPECT_EQ(FolderListForm("c:\\"), "C:\\");
  EXPECT_EQ(FolderListForm("d:\\a\\\\b\\"), "D:\\a\\b");
  EXPECT_EQ(FolderListForm("D:\\a\\.\\b\\..\\c"), "D:\\a\\c");
  EXPECT_EQ(FolderListForm("D:\\..\\..\\a"), "D:\\a");
  EXPECT_EQ(FolderListForm("\\a"), "");
  EXPECT_EQ(FolderListForm("pics"), "");
}

class SameFolderTest : public testing::Test {
 protected:
  FakeProgram f{"D:\\pics"};
};

TEST_F(SameFolderTest, TickedTheOutputGoesBesideTheSearchFolderAndClearedToTheDefault) {
  f.form.chkSameDir.SetValue(0);
  f.form.chkLelative.SetValue(0);
  f.form.chkSameDir.SetValue(1);
  EXPECT_EQ(f.run.ListPath, "D:\\pics\\_gazlist.htm");
  EXPECT_EQ(f.form.txtOLESakusei.Text(), "D:\\pics\\_gazlist.htm");
  EXPECT_FALSE(f.form.txtOLESakusei.Enabled());
  EXPECT_FALSE(f.form.cmdWriteDirSet.Enabled());
  EXPECT_EQ(f.form.chkLelative.Value(), 1);
  EXPECT_TRUE(f.form.chkLelative.Enabled());

  f.form.chkSameDir.SetValue(0);
  EXPECT_EQ(f.run.ListPath, "C:\\_Zorbelle\\_gazlist.htm");
  EXPECT_EQ(f.form.txtOLESakusei.Text(), "C:\\_Zorbelle\\_gazlist.htm");
  EXPECT_TRUE(f.form.txtOLESakusei.Enabled());
  EXPECT_TRUE(f.form.cmdWriteDirSet.Enabled());
  EXPECT_FALSE(f.form.chkLelative.Enabled());
  EXPECT_EQ(f.form.chkLelative.Value(), 1);
}

TEST_F(SameFolderTest, ARootGetsNoDoubleBackslash) {
  f.form.chkSameDir.SetValue(1);
  ASSERT_TRUE(MoveFolderList(f.program, "C:\\"));
  EXPECT_EQ(f.run.ListPath, "C:\\_gazlist.htm");
}

class FolderListsTest : public testing::Test {
 protected:
  FolderListsTest() {
    f.files.AddFolder("C:\\pics\\Zoo");
    f.files.AddFolder("C:\\pics\\animals");
    f.files.AddFolder("C:\\pics\\.cache", kAttrDirectory | kAttrHidden);
    f.files.AddFile("C:\\pics\\b.jpg");
    f.files.AddFile("C:\\pics\\A.gif");
    f.files.AddFile("C:\\pics\\.secret", "", kAttrHidden);
    RefreshFolderLists(f.program);
  }

  FakeProgram f;
};

TEST_F(FolderListsTest, TheFolderListShowsThePathAndSubFoldersTheFileListThePlainFiles) {
  EXPECT_THAT(f.form.Dir1.Items(),
              ElementsAre("C:\\", "C:\\pics", "C:\\pics\\animals", "C:\\pics\\Zoo"));
  const auto row = [&](std::size_t i) { return DescribeFolderListItem(f.form.Dir1, i); };
  EXPECT_EQ(row(0).name, "C:\\");
  EXPECT_EQ(row(0).depth, 0);
  EXPECT_TRUE(row(1).open);
  EXPECT_EQ(row(1).name, "pics");
  EXPECT_EQ(row(3).name, "Zoo");
  EXPECT_EQ(row(3).depth, 2);
  EXPECT_FALSE(row(3).open);
  EXPECT_THAT(f.form.File1.Items(), ElementsAre("A.gif", "b.jpg"));
}

TEST_F(FolderListsTest, AnotherDriveGoesToItsRootOneNotReadyLeavesTheFolder) {
  f.form.Drive1.SetDrive("q:");
  EXPECT_EQ(f.form.Dir1.Path(), "C:\\pics");
  EXPECT_EQ(f.form.Drive1.Drive(), "c:");
  f.files.AddFolder("D:\\x");
  f.form.Drive1.SetDrive("d:");
  EXPECT_EQ(f.form.Dir1.Path(), "D:\\");
  EXPECT_EQ(f.form.txtOLEKensaku.Text(), "D:\\");
}

TEST_F(FolderListsTest, MovingToWhatIsNoFolderChangesNothing) {
  EXPECT_FALSE(MoveFolderList(f.program, "C:\\pics\\b.jpg"));
  EXPECT_FALSE(MoveFolderList(f.program, "\\pics"));
  EXPECT_EQ(f.form.Dir1.Path(), "C:\\pics");
}

}  // namespace
}  // namespace zb
