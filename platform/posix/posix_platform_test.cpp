#include "platform/posix/posix_platform.h"

#include <gtest/gtest.h>

#include "platform/posix/testing/test_folder.h"

namespace zb {
namespace {

class NoDialogs : public Dialogs {
 public:
  Answer Show(const MessageBox&) override { return Answer::kOk; }
  std::optional<std::string> OpenFile(const OpenFileRequest&) override { return std::nullopt; }
};

TEST(PosixPlatform, ServicesShareTheDriveTableAndTakeTheCallersDialogs) {
  TestFolder folder;
  PosixPlatform host(folder.Drives(), folder.Host("config"), "");
  NoDialogs dialogs;
  const Platform platform = host.With(dialogs);
  EXPECT_EQ(&platform.dialogs, &dialogs);
  EXPECT_EQ(platform.system.Drives(), "c");
  platform.files.MakeFolder("C:\\Out");
  auto page = platform.files.CreateTextFile("C:\\OUT\\a.htm");
  page->WriteLine("★");
  page->Close();
  EXPECT_EQ(folder.Contents("Out/a.htm"), "\x81\x9A\r\n");
  EXPECT_EQ(host.paths().ToDrive(folder.Host("Out/a.htm")), "C:\\Out\\a.htm");
  ASSERT_TRUE(platform.settings.Write("Zorbelle", "CheckBox Value", "chkBmp", "0"));
  EXPECT_TRUE(std::filesystem::exists(folder.Host("config/Zorbelle/CheckBox Value.ini")));
}

}  // namespace
}  // namespace zb
