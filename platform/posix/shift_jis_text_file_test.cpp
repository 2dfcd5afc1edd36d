#include "platform/posix/shift_jis_text_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include "platform/posix/long_path.h"
#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

class ShiftJisTextFileTest : public ::testing::Test {
 protected:
  std::unique_ptr<ShiftJisTextFile> Create(const std::string& name, OutputCalls calls = {}) {
    return std::make_unique<ShiftJisTextFile>(
        OutputFile::Create(OpenHostFolder(folder_.path()), name, name, calls), encoding_);
  }

  TestFolder folder_;
  ShiftJisEncoding encoding_;
};

// What Shift_JIS cannot hold, and broken UTF-8, become question marks.
TEST_F(ShiftJisTextFileTest, WritesShiftJisLinesEndedByCrLfAndTakesNoMoreOnceClosed) {
  auto file = Create("a.txt");
  file->WriteLine("★Zorbelle♪");
  file->WriteLine("");
  file->WriteLine("C:\\ｻﾌﾞ\\①.jpg");
  file->WriteLine(
      "a\xF0\x9F\x98\x80"
      "b\xC3\x9F"
      "c\xFF"
      "d\xE2\x98");
  file->Close();
  EXPECT_EQ(folder_.Contents("a.txt"),
            "\x81\x9AZorbelle\x81\xF4\r\n\r\nC:\\\xBB\xCC\xDE\\\x87\x40.jpg\r\na?b?c?d??\r\n");
  EXPECT_THROW(file->WriteLine("late"), FileError);
  EXPECT_NO_THROW(file->Close());
}

TEST_F(ShiftJisTextFileTest, AFailedCloseIsAFileErrorWhereverTheFileIsWritten) {
  // The first makes the page, the second replaces it with other bytes.
  for (const bool unnamed : {false, true}) {
    OutputCalls calls;
    calls.unnamedFiles = unnamed;
    calls.close = [](int fd) {
      close(fd);
      errno = EIO;
      return -1;
    };
    auto file = Create("page.htm", calls);
    file->WriteLine(unnamed ? "<html>" : "<body>");
    EXPECT_THROW(file->Close(), FileError) << unnamed;
    EXPECT_NO_THROW(file->Close());  // closed all the same, never twice
  }
}

}  // namespace
}  // namespace zb
