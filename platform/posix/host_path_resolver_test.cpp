#include "platform/posix/host_path_resolver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

class HostPathResolverTest : public ::testing::Test {
 protected:
  TestFolder folder_;
  HostPathResolver resolver_;
};

TEST_F(HostPathResolverTest, FindsEntriesOnEveryLevelWhateverTheirCase) {
  const std::string file = folder_.Put("Pics/Sub Folder/a.Jpg");
  EXPECT_EQ(resolver_.Resolve(file), file);
  EXPECT_EQ(resolver_.Resolve(folder_.Host("PICS/sub folder/A.JPG")), file);
  EXPECT_EQ(resolver_.Resolve(folder_.Host("pics/SUB FOLDER")), folder_.Host("Pics/Sub Folder"));
}

// Past a missing entry, or a file in the middle, the rest is kept as given.
TEST_F(HostPathResolverTest, KeepsTheGivenCaseForWhatDoesNotExist) {
  folder_.MakeFolder("Pics");
  EXPECT_EQ(resolver_.Resolve(folder_.Host("PICS/New/Page.htm")),
            folder_.Host("Pics/New/Page.htm"));
  const std::string file = folder_.Put("a.jpg");
  EXPECT_EQ(resolver_.Resolve(file + "/X"), file + "/X");
  EXPECT_EQ(resolver_.Resolve(folder_.Host("A.JPG/x")), file + "/x");
}

TEST_F(HostPathResolverTest, FoldsLettersBeyondAscii) {
  const std::string umlaut = folder_.Put("Äpfel/ａｂｃ.jpg");
  EXPECT_EQ(resolver_.Resolve(folder_.Host("äPFEL/ＡＢＣ.JPG")), umlaut);
}

TEST_F(HostPathResolverTest, SeesEntriesMadeByOthersAfterAMiss) {
  folder_.Put("Big/first.jpg");
  EXPECT_EQ(resolver_.Resolve(folder_.Host("big/LATE.JPG")), folder_.Host("Big/LATE.JPG"));
  const std::string late = folder_.Put("Big/Late.jpg");
  EXPECT_EQ(resolver_.Resolve(folder_.Host("big/LATE.JPG")), late);
}

TEST_F(HostPathResolverTest, SeesItsOwnNewEntriesAfterAMiss) {
  folder_.Put("Big/first.jpg");
  // Time stamps come from a coarse clock; a folder is remembered only once
  // its stamp lies in the past.
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const std::string made = resolver_.Resolve(folder_.Host("BIG/Made.htm"));
  folder_.Put("Big/Made.htm");
  resolver_.NoteCreated(made);
  EXPECT_EQ(resolver_.Resolve(folder_.Host("big/MADE.HTM")), made);
}

}  // namespace
}  // namespace zb
