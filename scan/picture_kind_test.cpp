#include "scan/picture_kind.h"

#include <gtest/gtest.h>

#include <utility>

namespace zb {
namespace {

TEST(PictureKinds, NewerFormatsInAnyCaseCountOnlyWithTheirOption) {
  const std::pair<const char*, PictureKind> newer[] = {
      {"a.PNG", PictureKind::kOther},        {"b.webp", PictureKind::kOther},
      {"c.Avif", PictureKind::kOther},       {"C:\\a\\IMG_0001.HEIC", PictureKind::kHeif},
      {"C:\\a\\b.heic", PictureKind::kHeif}, {"C:\\a\\b.Heif", PictureKind::kHeif}};
  for (const auto& [name, kind] : newer) {
    EXPECT_EQ(KindOf(name, false, true), kind) << name;
    EXPECT_EQ(KindOf(name, true, false), PictureKind::kNone) << name;
  }
  for (const char* name : {"a.tif", "C:\\a.heic\\b", "C:\\a\\b.heics"}) {
    EXPECT_EQ(KindOf(name, true, true), PictureKind::kNone) << name;
  }
}

}  // namespace
}  // namespace zb
