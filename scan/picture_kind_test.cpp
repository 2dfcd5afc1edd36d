#include <gtest/gtest.h>

#include "scan/picture_kind.h"

namespace zb {
namespace {

TEST(HeicKind, HeicAndHeifInAnyCaseArePicturesOnlyWithTheNewerFormats) {
  for (const char* name : {"C:\\a\\IMG_0001.HEIC", "C:\\a\\b.heic", "C:\\a\\b.Heif"}) {
    EXPECT_EQ(KindOf(name, false, true), PictureKind::kHeif) << name;
    EXPECT_EQ(KindOf(name, true, false), PictureKind::kNone) << name;
  }
  EXPECT_EQ(KindOf("C:\\a.heic\\b", true, true), PictureKind::kNone);
  EXPECT_EQ(KindOf("C:\\a\\b.heics", true, true), PictureKind::kNone);
}

}  // namespace
}  // namespace zb
