// A search folder typed in another letter case than the disk spells it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/fake/fake_dialogs.h"
#include "platform/posix/drive_paths.h"
#include "platform/posix/posix_platform.h"
#include "platform/posix/testing/test_folder.h"
#include "window/form_lifecycle.h"
#include "window/path_fields.h"
#include "window/program.h"

namespace zb {
namespace {

TEST(SpelledAsOnDisk, RespellsTheExistingEntriesAndKeepsTheRest) {
  TestFolder folder;
  folder.MakeFolder("Pics/Über");
  DrivePaths paths(folder.Drives("z=/"));
  EXPECT_EQ(paths.SpelledAsOnDisk("C:\\PICS\\über"), "C:\\Pics\\Über");
  EXPECT_EQ(paths.SpelledAsOnDisk("c:\\pics\\ÜBER\\"), "c:\\Pics\\Über\\");
  EXPECT_EQ(paths.SpelledAsOnDisk("C:\\pics\\New\\x.jpg"), "C:\\Pics\\New\\x.jpg");
  EXPECT_EQ(paths.SpelledAsOnDisk("C:\\Pics"), "C:\\Pics");
  EXPECT_EQ(paths.SpelledAsOnDisk("C:\\"), "C:\\");
  EXPECT_EQ(paths.SpelledAsOnDisk("Q:\\pics"), "Q:\\pics");
  // Through the drive of "/": every level of the host path is respelt.
  const auto onZ = [&](std::string_view relative) {
    std::string path = "Z:" + folder.Host(relative);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
  };
  EXPECT_EQ(paths.SpelledAsOnDisk(onZ("PICS/über")), onZ("Pics/Über"));
}

// A run of the window model on the real disk, searching the folder as typed.
struct DiskRun {
  DiskRun(const TestFolder& folder, const std::string& typed)
      : host(folder.Drives(), folder.Host("config"), "") {
    Form_Load(program);
    Form_Activate(program);
    program.form.chkSameDir.SetValue(1);
    program.form.chkAllFileList.SetValue(1);
    moved = MoveFolderList(program, typed);
    program.form.cmdStart.Press();
  }

  PosixPlatform host;
  FakeDialogs dialogs;
  Platform platform = host.With(dialogs);
  Program program{platform};
  bool moved = false;
};

TEST(WrongCaseRoot, TheRunSeesTheFolderAsTheDiskSpellsIt) {
  TestFolder folder;
  folder.Put("pics/a.gif", std::string("GIF89a\x08\0\x08\0", 10));
  folder.Put("pics/Sub/b.gif", std::string("GIF89a\x10\0\x08\0", 10));

  const auto pages = [&] {
    std::string all;
    for (const char* name : {"_gaz0000.htm", "_gaz0000.html", "_gazlist.htm", "allfile.txt"}) {
      all += folder.Contents(std::string("pics/") + name);
    }
    return all;
  };
  // allfile.txt lists the pages of the run before: compare runs that both
  // follow one.
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(DiskRun(folder, "C:\\pics").moved);
  const std::string rightCase = pages();
  DiskRun run(folder, "C:\\PICS");
  ASSERT_TRUE(run.moved);
  EXPECT_EQ(run.program.form.Dir1.Path(), "C:\\pics");
  EXPECT_EQ(run.program.session.run.SearchRoot, "C:\\pics\\");
  EXPECT_EQ(run.program.session.run.ListPath, "C:\\pics\\_gazlist.htm");
  // The list page's path as the command line prints it names the file itself.
  EXPECT_TRUE(std::filesystem::exists(*run.host.paths().ToHost(run.program.session.run.ListPath)));
  EXPECT_FALSE(std::filesystem::exists(folder.Host("PICS")));
  EXPECT_EQ(pages(), rightCase);
}

}  // namespace
}  // namespace zb
