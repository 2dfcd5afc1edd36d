// A disk that fills up under the command-line program: the run ends with the
// messages the window would show, and the exit code never says success.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/cli_process_for_test.h"
#include "context/run_messages.h"
#include "platform/posix/testing/test_folder.h"
#include "settings/settings_messages.h"

namespace zb {
namespace {

using testing::AllOf;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;

// A message as the terminal shows it: the window's line ends become "\n".
std::string Shown(const MessageBox& box) {
  std::string text;
  for (char c : box.text) {
    if (c != '\r') text += c;
  }
  return box.title + ": " + text;
}

// The two messages of a page that could not be written, in this order.
testing::Matcher<std::string> PageWriteFailure() {
  const std::string page = Shown(PageWriteErrorMessage());
  const std::string file = Shown(FileErrorMessage());
  return testing::Truly([page, file](const std::string& err) {
    const std::size_t at = err.find(page);
    return at != std::string::npos && err.find(file, at) != std::string::npos;
  });
}

// A tmpfs mounted for the test and taken away after it.
class SmallDisk {
 public:
  explicit SmallDisk(const std::string& where) : where_(where) {
    if (mount("tmpfs", where.c_str(), "tmpfs", 0, "size=64k") != 0) error_ = errno;
  }
  ~SmallDisk() {
    if (error_ == 0) umount2(where_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  int error() const { return error_; }
  // Takes every free block with one file, which Free gives back.
  void Fill() {
    std::ofstream filler(where_ + "/filler", std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), block.size()) && filler.flush()) {
    }
  }
  void Free() { std::filesystem::remove(where_ + "/filler"); }

 private:
  std::string where_;
  int error_ = 0;
};

// The settings lie on the full disk too: the crash marker cannot be written.
TEST(FullDisk, ATmpfsWithNoRoomLeftFailsTheRunUntilThereIsRoomAgain) {
  TestFolder folder;
  SmallDisk disk(folder.MakeFolder("disk"));
  if (disk.error() != 0) {
    GTEST_SKIP() << "no tmpfs can be mounted here (" << std::strerror(disk.error()) << ")";
  }
  // Few files: the disk holds them and the pages once there is room again.
  for (int i = 0; i < 2; ++i) folder.Put("disk/pics/p" + std::to_string(i) + ".gif", Gif(40, 40));
  std::filesystem::copy_file(ZORBELLE_SOURCE_DIR "/samples/pictures/panorama.JPG",
                             folder.Host("disk/pics/q.jpg"));
  disk.Fill();
  const std::vector<std::string> args{"--same-folder", "--no-all-files", "--per-page", "2",
                                      folder.Host("disk/pics")};

  const ProcessResult full = RunCli(args, CliEnvironment(folder, "disk/config"));
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_THAT(full.err, HasSubstr(Shown(SettingsCannotBeSavedMessage())));
  EXPECT_THAT(full.err, PageWriteFailure());
  EXPECT_THAT(full.out, IsEmpty());  // no list page to show

  disk.Free();
  const ProcessResult roomy = RunCli(args, CliEnvironment(folder, "disk/config"));
  EXPECT_EQ(roomy.exitCode, 0) << roomy.err;
  EXPECT_THAT(roomy.err, HasSubstr("3個の画像ファイルをリストに登録しました"));
  EXPECT_EQ(roomy.out, folder.Host("disk/pics/_gazlist.htm") + "\n");
}

// Refused by name before anything is written through the link.
TEST(FullDisk, LinksToAFullDeviceAreRefusedNamingTheFile) {
  for (const char* file : {"_gaz0000.htm", "_gaz0000.html", "_gazlist.htm", "allfile.txt"}) {
    SCOPED_TRACE(file);
    TestFolder folder;
    folder.Put("pics/p.gif", Gif(40, 40));
    folder.MakeFolder("_Zorbelle");
    std::filesystem::create_symlink("/dev/full", folder.Host("_Zorbelle/") + file);
    const ProcessResult r =
        RunCli({"--all-files", "--no-same-folder", folder.Host("pics")}, CliEnvironment(folder));
    EXPECT_EQ(r.exitCode, 1);
    const std::string refusal = Shown(NotAPlainFileMessage(std::string("C:\\_Zorbelle\\") + file));
    EXPECT_THAT(r.err, AllOf(HasSubstr(refusal), HasSubstr(Shown(FileErrorMessage())),
                             Not(HasSubstr(Shown(PageWriteErrorMessage())))));
    EXPECT_THAT(r.out, IsEmpty());
  }
}

}  // namespace
}  // namespace zb
