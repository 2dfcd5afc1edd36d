#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "context/run_messages.h"
#include "run/run_driver.h"
#include "testing/fake_program.h"

namespace zb {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

TEST(UnlockableOutput, AnOutputFolderThatCannotBeLockedIsRefusedWithNothingWritten) {
  FakeProgram f;
  f.files.AddFile("C:\\pics\\a.jpg");
  f.form.chkAllFileList.SetValue(1);
  f.files.MakeUnlockable("C:\\pics\\");
  f.Start();
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kFailed);
  EXPECT_THAT(f.Messages(), ElementsAre(OutputFolderUnlockableMessage("C:\\pics\\").text));
  EXPECT_FALSE(f.files.Exists("C:\\pics\\allfile.txt"));
  EXPECT_FALSE(f.files.Exists("C:\\pics\\_gazlist.htm"));
  EXPECT_FALSE(f.files.Exists("C:\\pics\\_gaz0000.htm"));
  EXPECT_TRUE(f.form.cmdStart.Enabled());
  EXPECT_TRUE(f.form.lblAnnai[0].Visible());
  EXPECT_THAT(f.host.shell.opened, IsEmpty());
}

}  // namespace
}  // namespace zb
