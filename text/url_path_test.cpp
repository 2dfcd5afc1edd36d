#include "text/url_path.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

TEST(UrlPathTest, KeepsUnreservedBytesTurnsTheSeparatorAndEscapesTheRest) {
  struct Case {
    const char* path;
    char separator;
    const char* url;
  };
  for (const Case& c : {
           Case{"", '/', "file://"},
           Case{"/a-b._~/Z9", '/', "file:///a-b._~/Z9"},
           Case{"\\a\\b c", '\\', "file:///a/b%20c"},
           Case{"/a\\b", '/', "file:///a%5Cb"},
           Case{"/%#?:", '/', "file:///%25%23%3F%3A"},
           Case{"/\xE3\x81\x82.jpg", '/', "file:///%E3%81%82.jpg"},
           Case{"x/", '/', "file://x/"},
       }) {
    std::string url = "file://";
    AppendUrlPath(url, c.path, c.separator);
    EXPECT_EQ(url, c.url) << c.path;
  }
}

}  // namespace
}  // namespace zb
