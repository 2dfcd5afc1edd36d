#include "platform/posix/drive_table.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

namespace zb {
namespace {

std::string Letters(const DriveTable& table) {
  std::string letters;
  for (const Drive& drive : table.drives()) letters += drive.letter + drive.root;
  return letters;
}

TEST(DriveTable, ParsesLettersWithoutRegardToCaseSkippingMalformedEntries) {
  EXPECT_EQ(Letters(DriveTable::Parse("Z=/;c=/srv/photos/;D=/mnt//usb")),
            "c/srv/photosd/mnt/usbz/");
  EXPECT_EQ(Letters(DriveTable::Parse(";1=/x;dd=/x;e=relative;f=;g/x;c=/old;c=/new;")), "c/new");
  EXPECT_EQ(Letters(DriveTable::Default("/home/me")), "c/home/mez/");
}

TEST(DriveTable, EnvironmentReplacesTheDefaultUnlessItNamesNoDrive) {
  const char* saved = getenv("ZORBELLE_DRIVES");
  const std::string restore = saved ? saved : "";
  setenv("ZORBELLE_DRIVES", "q=/srv", 1);
  EXPECT_EQ(Letters(DriveTable::FromEnvironment()), "q/srv");
  setenv("ZORBELLE_DRIVES", "nonsense", 1);
  EXPECT_EQ(DriveTable::FromEnvironment().drives().size(), 2u);
  saved ? setenv("ZORBELLE_DRIVES", restore.c_str(), 1) : unsetenv("ZORBELLE_DRIVES");
}

TEST(DriveTable, DrivePathsBecomeHostPathsWithoutLeavingTheDrive) {
  const DriveTable table = DriveTable::Parse("c=/srv/photos;z=/");
  EXPECT_EQ(table.ToHost("C:\\pics\\a.jpg"), "/srv/photos/pics/a.jpg");
  EXPECT_EQ(table.ToHost("c:\\pics\\"), "/srv/photos/pics");
  EXPECT_EQ(table.ToHost("C:\\"), "/srv/photos");
  EXPECT_EQ(table.ToHost("C:"), "/srv/photos");
  EXPECT_EQ(table.ToHost("Z:\\etc\\hosts"), "/etc/hosts");
  EXPECT_EQ(table.ToHost("Z:\\"), "/");
  EXPECT_EQ(table.ToHost("C:/pics/b.jpg"), "/srv/photos/pics/b.jpg");
  EXPECT_EQ(table.ToHost("C:\\a\\.\\b\\..\\c.jpg"), "/srv/photos/a/c.jpg");
  EXPECT_EQ(table.ToHost("C:\\..\\..\\etc\\passwd"), "/srv/photos/etc/passwd");
  for (const char* other : {"D:\\x", "\\\\server\\share", "pics", ""}) {
    EXPECT_EQ(table.ToHost(other), std::nullopt) << other;
  }
}

TEST(DriveTable, HostPathsGoToTheDriveWithTheLongestPrefix) {
  const DriveTable table = DriveTable::Parse("c=/srv/photos;d=/srv/photos/more;z=/");
  EXPECT_EQ(table.ToDrive("/srv/photos/more/a.jpg"), "D:\\a.jpg");
  EXPECT_EQ(table.ToDrive("/srv/photos/pics/a.jpg"), "C:\\pics\\a.jpg");
  EXPECT_EQ(table.ToDrive("/srv/photos/"), "C:\\");
  EXPECT_EQ(table.ToDrive("/srv/photosx/a.jpg"), "Z:\\srv\\photosx\\a.jpg");
  EXPECT_EQ(table.ToDrive("/srv/photos/x/../more/./b"), "D:\\b");
  EXPECT_EQ(table.ToDrive("/"), "Z:\\");
  EXPECT_EQ(DriveTable::Parse("c=/srv").ToDrive("/etc/hosts"), std::nullopt);
  // A backslash would be a separator in the drive path, and could climb out.
  EXPECT_EQ(table.ToDrive("/srv/photos/D:\\..\\..\\etc"), std::nullopt);
  const DriveTable here = DriveTable::Parse("w=" + std::filesystem::current_path().string());
  EXPECT_EQ(here.ToDrive("pics/a.jpg"), "W:\\pics\\a.jpg");
}

}  // namespace
}  // namespace zb
