#include "thumbnail/thumbnail_names.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

TEST(ThumbnailNames, ChangeWithEveryPartOfTheSourceAndAreRecognised) {
  const ThumbnailSource base{"/p/a.jpg", 1000, 5, 240};
  const std::string name = ThumbnailFileName(base);
  EXPECT_TRUE(IsThumbnailFileName(name));
  EXPECT_EQ(name, ThumbnailFileName(base));
  for (const ThumbnailSource& other :
       {ThumbnailSource{"/p/b.jpg", 1000, 5, 240}, ThumbnailSource{"/p/a.jpg", 1001, 5, 240},
        ThumbnailSource{"/p/a.jpg", 1000, 6, 240}, ThumbnailSource{"/p/a.jpg", 1000, 5, 200}}) {
    EXPECT_NE(ThumbnailFileName(other), name);
  }
  for (const char* foreign : {"0123456789abcdeF.jpg", "0123456789abcdef.jpeg", "x.jpg",
                              "zorbelle-thumbnails.txt", "0123456789abcdef0.jpg"}) {
    EXPECT_FALSE(IsThumbnailFileName(foreign)) << foreign;
  }
}

TEST(ThumbnailNames, SizesFitTheSideAndNeverGrow) {
  EXPECT_EQ(ThumbnailSizeFor(4000, 3000, 240).width, 240);
  EXPECT_EQ(ThumbnailSizeFor(4000, 3000, 240).height, 180);
  EXPECT_EQ(ThumbnailSizeFor(100, 50, 240).width, 100);
  EXPECT_EQ(ThumbnailSizeFor(10000, 1, 240).height, 1);
}

}  // namespace
}  // namespace zb
