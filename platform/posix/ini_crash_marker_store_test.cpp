#include "platform/posix/ini_crash_marker_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr char kApp[] = "Zorbelle";

class IniCrashMarkerStoreTest : public ::testing::Test {
 protected:
  TestFolder folder_;
  IniCrashMarkerStore store_{folder_.Host("config")};
};

std::string MarkerFile(TestFolder& folder) {
  return folder.Contents("config/Zorbelle/" + std::string(kCrashMarkerSection) + ".ini");
}

TEST_F(IniCrashMarkerStoreTest, ALivingWritersMarkerIsNoCrashAndOnlyItsWriterChangesIt) {
  IniCrashMarkerStore other(folder_.Host("config"));
  ASSERT_TRUE(store_.Write(kApp, "C:\\pics\\a rather long name.jpg"));
  ASSERT_TRUE(store_.Write(kApp, "C:\\b.jpg"));
  // On disk at once, the longer old text blanked out...
  EXPECT_THAT(MarkerFile(folder_), testing::StartsWith("[" + std::string(kCrashMarkerSection) +
                                                       "]\naFileName=C:\\b.jpg\n\n"));
  EXPECT_THAT(MarkerFile(folder_), Not(HasSubstr("long")));
  // ...but no crash while its writer lives: another start reads it clean,
  // cannot arm it, and its clearing leaves the living run's record alone.
  EXPECT_EQ(other.Read(kApp, "1"), "");
  EXPECT_FALSE(other.Write(kApp, "C:\\other.jpg"));
  EXPECT_TRUE(other.Write(kApp, ""));
  EXPECT_EQ(store_.Read(kApp, "1"), "C:\\b.jpg");

  // Cleared by its writer, the file is trimmed to its text and free again.
  ASSERT_TRUE(store_.Write(kApp, ""));
  EXPECT_EQ(MarkerFile(folder_), "[" + std::string(kCrashMarkerSection) + "]\naFileName=\n");
  EXPECT_TRUE(other.Write(kApp, "C:\\other.jpg"));
  EXPECT_EQ(store_.Read(kApp, "1"), "");
}

TEST_F(IniCrashMarkerStoreTest, AMarkerLongerThanItsMappingIsKeptWhole) {
  const std::string deep = "C:\\" + std::string(40000, 'x') + "\\a.jpg";
  ASSERT_TRUE(store_.Write(kApp, "C:\\short.jpg"));
  ASSERT_TRUE(store_.Write(kApp, deep));
  ASSERT_TRUE(store_.Write(kApp, "C:\\next.jpg"));
  ASSERT_TRUE(store_.Write(kApp, deep));
  EXPECT_EQ(store_.Read(kApp, "1"), deep);
}

// The marker outlives a process killed after it was armed; a process
// killed while it was being written leaves it clean, never half a path.
TEST_F(IniCrashMarkerStoreTest, TheMarkerOutlivesAKilledProcess) {
  ASSERT_TRUE(store_.Write(kApp, "C:\\first.jpg"));
  ASSERT_TRUE(store_.Write(kApp, ""));
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    IniCrashMarkerStore dying(folder_.Host("config"));
    dying.Write(kApp, "C:\\crashes\\here.jpg");
    raise(SIGKILL);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(IniCrashMarkerStore(folder_.Host("config")).Read(kApp, "1"), "C:\\crashes\\here.jpg");

  std::string torn = MarkerFile(folder_);
  torn[0] = '\0';  // as a copy cut short leaves it
  folder_.Put("config/Zorbelle/" + std::string(kCrashMarkerSection) + ".ini", torn);
  EXPECT_EQ(IniCrashMarkerStore(folder_.Host("config")).Read(kApp, "1"), "1");
}

TEST_F(IniCrashMarkerStoreTest, ALinkInPlaceOfTheMarkerIsNotWrittenThrough) {
  folder_.MakeFolder("config/Zorbelle");
  folder_.Put("target.txt", "keep");
  std::filesystem::create_symlink(
      folder_.Host("target.txt"),
      folder_.Host("config/Zorbelle/" + std::string(kCrashMarkerSection) + ".ini"));
  EXPECT_FALSE(store_.Write(kApp, "C:\\a.jpg"));
  EXPECT_EQ(folder_.Contents("target.txt"), "keep");
}

}  // namespace
}  // namespace zb
