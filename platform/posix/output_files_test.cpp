// Output files on a real disk: a name held by a link, a pipe, a socket or a
// folder is never written through, and a page takes its name only when whole.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/posix/posix_file_system.h"
#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

// Drive C: on a fresh folder holding the folder "out", replacing either way:
// unnamed, or under a temporary name beside the old file.
class OutputFilesTest : public ::testing::TestWithParam<bool> {
 protected:
  OutputFilesTest() {
    OutputCalls calls;
    calls.unnamedFiles = GetParam();
    files_ = std::make_unique<PosixFileSystem>(paths_, encoding_, calls);
    folder_.MakeFolder("out");
  }
  void Write(const std::string& path, const std::string& line) {
    auto file = files_->CreateTextFile(path);
    file->WriteLine(line);
    file->Close();
  }

  TestFolder folder_;
  ShiftJisEncoding encoding_;
  DrivePaths paths_{folder_.Drives()};
  std::unique_ptr<PosixFileSystem> files_;
};

TEST_P(OutputFilesTest, ANameHeldByAnythingButAPlainFileIsRefusedAndLeftAlone) {
  const std::string secret = folder_.Put("elsewhere/secret.txt", "secret");
  symlink(secret.c_str(), folder_.Host("out/_gaz0000.htm").c_str());
  symlink(folder_.Host("elsewhere/made.txt").c_str(), folder_.Host("out/_gazlist.htm").c_str());
  ASSERT_EQ(mkfifo(folder_.Host("out/_gaz0000.html").c_str(), 0666), 0);
  folder_.MakeFolder("out/allfile.txt");
  const int socketFd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = folder_.Host("out/_gaz0001.htm");
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  socketPath.copy(address.sun_path, socketPath.size());
  ASSERT_EQ(bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

  for (const char* name :
       {"_gaz0000.htm", "_GAZLIST.htm", "_gaz0000.html", "allfile.txt", "_gaz0001.htm"}) {
    const std::string path = std::string("C:\\out\\") + name;
    try {
      files_->CreateTextFile(path);
      ADD_FAILURE() << name << " was opened";
    } catch (const NotAPlainFileError& e) {
      EXPECT_EQ(e.path(), path);
    }
  }
  close(socketFd);
  EXPECT_EQ(folder_.Contents("elsewhere/secret.txt"), "secret");
  EXPECT_FALSE(fs::exists(folder_.Host("elsewhere/made.txt")));
  EXPECT_TRUE(fs::is_symlink(folder_.Host("out/_gaz0000.htm")));
  EXPECT_TRUE(fs::is_fifo(folder_.Host("out/_gaz0000.html")));
  EXPECT_TRUE(fs::is_directory(folder_.Host("out/allfile.txt")));
  EXPECT_TRUE(fs::is_socket(folder_.Host("out/_gaz0001.htm")));
}

TEST_P(OutputFilesTest, APlainFileIsReplacedUnderItsOwnSpellingAndALinkToItKeepsItsText) {
  folder_.Put("out/_GAZ0000.HTM", "old");
  chmod(folder_.Host("out/_GAZ0000.HTM").c_str(), 0640);
  Write("C:\\out\\_gaz0000.htm", "new");
  EXPECT_EQ(folder_.Contents("out/_GAZ0000.HTM"), "new\r\n");
  EXPECT_FALSE(fs::exists(folder_.Host("out/_gaz0000.htm")));  // no twin
  EXPECT_EQ(fs::status(folder_.Host("out/_GAZ0000.HTM")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  ASSERT_EQ(link(folder_.Host("out/_GAZ0000.HTM").c_str(), folder_.Host("kept.htm").c_str()), 0);
  Write("C:\\out\\_gaz0000.htm", "newer");
  EXPECT_EQ(folder_.Contents("out/_GAZ0000.HTM"), "newer\r\n");
  EXPECT_EQ(folder_.Contents("kept.htm"), "new\r\n");
}

// Running again over an unchanged tree leaves unchanged pages as they were,
// time stamp and all; a change of any byte is written as usual, and a link
// that took the name meanwhile is refused as ever.
TEST_P(OutputFilesTest, APageThatWouldNotChangeIsLeftAsItWas) {
  const std::string page = folder_.Put("out/_gaz0000.htm", "same\r\n");
  const timespec old[2] = {{1000, 0}, {1000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, page.c_str(), old, 0), 0);
  struct stat before;
  ASSERT_EQ(stat(page.c_str(), &before), 0);
  Write("C:\\out\\_gaz0000.htm", "same");
  struct stat after;
  ASSERT_EQ(stat(page.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mtim.tv_sec, 1000);

  Write("C:\\out\\_gaz0000.htm", "sane");  // same size, one byte off
  EXPECT_EQ(folder_.Contents("out/_gaz0000.htm"), "sane\r\n");
  ASSERT_EQ(stat(page.c_str(), &after), 0);
  EXPECT_NE(after.st_mtim.tv_sec, 1000);

  // Swapped for a link to a file with those very bytes: refused, not kept.
  const std::string secret = folder_.Put("elsewhere/secret.txt", "sane\r\n");
  auto file = files_->CreateTextFile("C:\\out\\_gaz0000.htm");
  file->WriteLine("sane");
  ASSERT_EQ(rename(page.c_str(), folder_.Host("out/moved.htm").c_str()), 0);
  ASSERT_EQ(symlink(secret.c_str(), page.c_str()), 0);
  EXPECT_THROW(file->Close(), NotAPlainFileError);
  EXPECT_TRUE(fs::is_symlink(page));
  EXPECT_EQ(folder_.Contents("elsewhere/secret.txt"), "sane\r\n");
}

// Files larger than the write buffer are compared as they are written: an
// equal one is kept, one that parts from the old file anywhere comes out
// exactly as written, Shift_JIS and all.
TEST_P(OutputFilesTest, ALargeFileIsComparedAsItIsWritten) {
  // Writes count lines, the one at changedAt changed; gives the bytes written.
  const auto write = [&](int count, int changedAt) {
    auto file = files_->CreateTextFile("C:\\out\\allfile.txt");
    std::string all;
    for (int i = 0; i < count; ++i) {
      const std::string line = (i == changedAt ? "changed " : "line ") + std::to_string(i);
      file->WriteLine("行" + line);  // two bytes each, some across buffers
      all += "\x8D\x73" + line + "\r\n";
    }
    file->Close();
    return all;
  };
  constexpr int kLines = 30000;  // several buffers' worth
  write(kLines, -1);
  const std::string path = folder_.Host("out/allfile.txt");
  const timespec old[2] = {{1000, 0}, {1000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), old, 0), 0);
  write(kLines, -1);
  struct stat kept;
  ASSERT_EQ(stat(path.c_str(), &kept), 0);
  EXPECT_EQ(kept.st_mtim.tv_sec, 1000);

  for (const auto& [count, changedAt] : {std::pair{kLines, kLines - 1},
                                         {kLines, kLines / 2},
                                         {kLines, 0},
                                         {kLines / 2, -1},
                                         {kLines + 1000, -1},
                                         {0, -1}}) {
    write(kLines, -1);
    const std::string written = write(count, changedAt);
    ASSERT_EQ(folder_.Contents("out/allfile.txt"), written) << count << " " << changedAt;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Host("out")), {}), 1);
}

TEST_P(OutputFilesTest, AnOldPageIsReplacedOnlyWhenTheNewOneIsClosedANewOneKeepsWhatWasWritten) {
  folder_.Put("out/_gaz0000.htm", "old page");
  auto page = files_->CreateTextFile("C:\\out\\_gaz0000.htm");
  for (int i = 0; i < 20000; ++i) page->WriteLine("<a href=\"p.jpg\">");  // past the buffer
  EXPECT_EQ(folder_.Contents("out/_gaz0000.htm"), "old page");
  page.reset();  // never closed: abandoned
  EXPECT_EQ(folder_.Contents("out/_gaz0000.htm"), "old page");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Host("out")), {}), 1);

  page = files_->CreateTextFile("C:\\out\\_gaz0000.htm");
  page->WriteLine("new page");
  EXPECT_EQ(folder_.Contents("out/_gaz0000.htm"), "old page");
  page->Close();
  EXPECT_EQ(folder_.Contents("out/_gaz0000.htm"), "new page\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Host("out")), {}), 1);

  // A new name has no old text to keep: it holds what was written, closed or not.
  page = files_->CreateTextFile("C:\\out\\_gaz0001.htm");
  for (int i = 0; i < 20000; ++i) page->WriteLine("<a href=\"p.jpg\">");
  page.reset();
  EXPECT_EQ(folder_.Contents("out/_gaz0001.htm").substr(0, 17), "<a href=\"p.jpg\">\r");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Host("out")), {}), 2);
}

// A process killed while it writes a page leaves the old page whole; an
// unnamed replacement leaves no stray file beside it either.
TEST_P(OutputFilesTest, AKillMidWriteLeavesTheOldPageWhole) {
  folder_.Put("out/_gaz0000.htm", "old page");
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  if (child == 0) {
    auto page = files_->CreateTextFile("C:\\out\\_gaz0000.htm");
    for (int i = 0; i < 20000; ++i) page->WriteLine("<a href=\"p.jpg\">");
    (void)!write(ready[1], "w", 1);
    pause();
    _exit(0);
  }
  char byte;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  close(ready[0]);
  close(ready[1]);
  EXPECT_EQ(folder_.Contents("out/_gaz0000.htm"), "old page");
  if (GetParam()) {
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Host("out")), {}), 1);
  }
}

INSTANTIATE_TEST_SUITE_P(UnnamedOrBeside, OutputFilesTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Unnamed" : "Beside"; });

}  // namespace
}  // namespace zb
