#include "platform/win32/long_path.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

TEST(LongPathTest, DrivePathsAndSharesTakeTheLongForm) {
  EXPECT_EQ(LongPathOf("C:\\pics\\a.jpg"), L"\\\\?\\C:\\pics\\a.jpg");
  EXPECT_EQ(LongPathOf("z:\\"), L"\\\\?\\z:\\");
  EXPECT_EQ(LongPathOf("\\\\server\\share\\a"), L"\\\\?\\UNC\\server\\share\\a");
  EXPECT_EQ(LongPathOf("C:\\\xE5\x86\x99\xE7\x9C\x9F"), L"\\\\?\\C:\\\u5199\u771F");
}

TEST(LongPathTest, OtherPathsStayAsGiven) {
  EXPECT_EQ(LongPathOf("\\\\?\\C:\\a"), L"\\\\?\\C:\\a");
  EXPECT_EQ(LongPathOf("C:a"), L"C:a");
  EXPECT_EQ(LongPathOf("a\\b"), L"a\\b");
  EXPECT_EQ(LongPathOf(""), L"");
}

}  // namespace
}  // namespace zb
