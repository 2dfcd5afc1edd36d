#include "run/output_location.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "context/run_messages.h"
#include "testing/fake_program.h"

namespace zb {
namespace {

using testing::ElementsAre;

class DefaultOutputFolderTest : public testing::Test {
 protected:
  DefaultOutputFolderTest() { f.form.chkSameDir.SetValue(0); }
  FakeProgram f;
};

TEST_F(DefaultOutputFolderTest, AcceptsTheFolderUnderAnyLetterCase) {
  f.files.AddFolder("C:\\_ZORBELLE");
  const int before = f.files.OperationCount();
  PrepareDefaultOutputFolder(f.program.session);
  EXPECT_TRUE(f.host.dialogs.shown.empty());
  // Listed, not made again: only the listing's calls were counted.
  EXPECT_GT(f.files.OperationCount(), before);
  EXPECT_EQ(f.form.txtOLESakusei.Text(), "C:\\_Zorbelle\\_gazlist.htm");
}

TEST_F(DefaultOutputFolderTest, ABlockingFileGoesOnlyAfterYes) {
  f.files.AddFile("C:\\_zorbelle", "not a folder");
  // The answer to the blocking message changes nothing.
  f.host.dialogs.answers = {Answer::kNo, Answer::kYes, Answer::kNo, Answer::kNo, Answer::kYes};
  PrepareDefaultOutputFolder(f.program.session);
  EXPECT_THAT(
      f.Messages(),
      ElementsAre(DeleteQuestion("C:\\_zorbelle").text, BlockingFileMessage("C:\\_zorbelle").text,
                  DeleteQuestion("C:\\_zorbelle").text, BlockingFileMessage("C:\\_zorbelle").text,
                  DeleteQuestion("C:\\_zorbelle").text));
  EXPECT_THAT(f.files.Deleted(), ElementsAre("C:\\_zorbelle"));
  EXPECT_EQ(f.files.GetAttributes("C:\\_Zorbelle"), kAttrDirectory);
}

TEST_F(DefaultOutputFolderTest, ThreeRefusalsEndTheProgramWithNothingDeleted) {
  f.files.AddFile("C:\\_Zorbelle");
  f.files.AddFile("C:\\pics\\a.jpg");
  try {
    f.Start();
    FAIL() << "the program should have ended";
  } catch (const FakeProgramEnded&) {
  }
  EXPECT_EQ(f.host.dialogs.shown.size(), 7u);
  EXPECT_EQ(f.host.dialogs.shown.back().text, FileErrorMessage().text);
  EXPECT_TRUE(f.files.Deleted().empty());
  EXPECT_EQ(f.files.OpenFileCount(), 0);
}

TEST(SameFolderOutput, ChecksAndMakesNothing) {
  FakeProgram f;
  const int before = f.files.OperationCount();
  PrepareDefaultOutputFolder(f.program.session);
  EXPECT_EQ(f.files.OperationCount(), before);
  EXPECT_EQ(f.run.ListPath, "C:\\pics\\_gazlist.htm");
}

TEST(OutputNames, SplitTheListPathAtItsLastBackslash) {
  FakeProgram f;
  f.run.ListPath = "C:\\out\\list.htm";
  f.run.SearchRoot = "D:\\pics";
  DeriveOutputNames(f.program.session);
  EXPECT_EQ(f.run.OutputFolder, "C:\\out\\");
  EXPECT_EQ(f.run.ListFileName, "list.htm");
  EXPECT_EQ(f.run.PagePath, "C:\\out\\list.htm");
  EXPECT_EQ(f.run.SearchRoot, "D:\\pics\\");

  f.run.ListPath = "list.htm";
  f.run.SearchRoot = "C:\\";
  DeriveOutputNames(f.program.session);
  EXPECT_EQ(f.run.OutputFolder, "");
  EXPECT_EQ(f.run.ListFileName, "list.htm");
  EXPECT_EQ(f.run.SearchRoot, "C:\\");
}

}  // namespace
}  // namespace zb
