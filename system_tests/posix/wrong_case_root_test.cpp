// A search folder typed in another letter case than the disk spells it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/posix/drive_paths.h"
#include "system_tests/posix/disk_run_for_test.h"

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

TEST(WrongCaseRoot, TheRunSeesTheFolderAsTheDiskSpellsIt) {
  DiskRun r;
  r.program.form.chkSameDir.SetValue(1);
  r.folder.Put("pics/a.gif", Gif(8));
  r.folder.Put("pics/Sub/b.gif", Gif(16));
  const auto pages = [&] {
    std::string all;
    for (const char* name : {"_gaz0000.htm", "_gaz0000.html", "_gazlist.htm", "allfile.txt"}) {
      all += r.folder.Contents(std::string("pics/") + name);
    }
    return all;
  };
  // allfile.txt lists the pages of the run before: compare runs that both
  // follow one.
  r.Start("C:\\pics");
  r.Start("C:\\pics");
  const std::string rightCase = pages();
  r.Start("C:\\PICS");
  EXPECT_EQ(r.program.form.Dir1.Path(), "C:\\pics");
  EXPECT_EQ(r.program.session.run.SearchRoot, "C:\\pics\\");
  EXPECT_EQ(r.program.session.run.ListPath, "C:\\pics\\_gazlist.htm");
  // The list page's path as the command line prints it names the file itself.
  EXPECT_TRUE(std::filesystem::exists(*r.host.paths().ToHost(r.program.session.run.ListPath)));
  EXPECT_FALSE(std::filesystem::exists(r.folder.Host("PICS")));
  EXPECT_EQ(pages(), rightCase);
}

}  // namespace
}  // namespace zb
