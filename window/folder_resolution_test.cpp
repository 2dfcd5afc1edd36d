#include "window/folder_resolution.h"

#include <gtest/gtest.h>

#include "testing/fake_program.h"

namespace zb {
namespace {

TEST(FindLastCharTest, GivesTheOneBasedPositionOfTheLastMatch) {
  EXPECT_EQ(FindLastChar("D:\\my.pics\\list.htm", '.'), 16);
  EXPECT_EQ(FindLastChar("D:\\pics\\", '\\'), 8);
  EXPECT_EQ(FindLastChar("ABCabc", 'A'), 4);
  EXPECT_EQ(FindLastChar("no dot", '.'), 0);
  EXPECT_EQ(FindLastChar("", '.'), 0);
}

class ResolveFolderTest : public testing::Test {
 protected:
  ResolveFolderTest() {
    f.files.AddFile("D:\\pics\\a.jpg");
    f.files.AddFile("C:\\note.txt");
  }
  void ExpectResolved(const std::string& path, Resolution code, const std::string& folder) {
    const ResolvedFolder resolved = ResolveFolder(f.program, path);
    EXPECT_EQ(resolved.code, code) << path;
    EXPECT_EQ(resolved.folder, folder) << path;
  }

  FakeProgram f;
};

// A folder loses every final backslash; a file, or a name that is not
// there, gives the folder that would hold it.
TEST_F(ResolveFolderTest, GivesTheFolderOrTheOneThatHoldsTheFileAndRejectsTheRest) {
  ExpectResolved("C:\\", Resolution::kFolder, "C:");
  ExpectResolved("D:\\pics\\\\", Resolution::kFolder, "D:\\pics");
  ExpectResolved("d:\\PICS", Resolution::kFolder, "d:\\PICS");
  ExpectResolved("D:\\pics\\a.jpg", Resolution::kParentOfFile, "D:\\pics\\");
  ExpectResolved("D:\\pics\\nothing", Resolution::kParentOfFile, "D:\\pics\\");
  for (const char* path :
       {"", "\\\\server\\share\\pics", "\\pics", "pics", "D:\\gone\\nothing", "Q:\\pics\\a.jpg"}) {
    ExpectResolved(path, Resolution::kRejected, "");
  }
  EXPECT_TRUE(f.host.dialogs.shown.empty());
}

TEST_F(ResolveFolderTest, AParentThatIsAFileIsReportedAndStillTaken) {
  ExpectResolved("C:\\note.txt\\x", Resolution::kParentOfFile, "C:\\note.txt\\");
  ASSERT_EQ(f.host.dialogs.shown.size(), 1u);
  const MessageBox& box = f.host.dialogs.shown[0];
  EXPECT_EQ(box.text, "エラーだよ。でもこんなの起こり得ないけど。txtOLEKensaku_OLEDragDrop");
  EXPECT_EQ(box.title, "");
  EXPECT_EQ(box.buttons, Buttons::kOk);
}

}  // namespace
}  // namespace zb
