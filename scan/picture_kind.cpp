#include "scan/picture_kind.h"

#include <string_view>

#include "text/letter_case.h"

namespace zb {

PictureKind KindOf(std::string_view path, bool withBmp, bool moreFormats) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return PictureKind::kNone;
  const std::string_view ext = path.substr(dot);
  if (EqualsIgnoreCase(ext, ".gif")) return PictureKind::kGif;
  for (const char* known : {".jpg", ".jpe", ".jpeg"}) {
    if (EqualsIgnoreCase(ext, known)) return PictureKind::kOther;
  }
  if (withBmp && EqualsIgnoreCase(ext, ".bmp")) return PictureKind::kOther;
  if (moreFormats) {
    for (const char* newer : {".png", ".webp", ".avif"}) {
      if (EqualsIgnoreCase(ext, newer)) return PictureKind::kOther;
    }
    if (EqualsIgnoreCase(ext, ".heic") || EqualsIgnoreCase(ext, ".heif")) return PictureKind::kHeif;
  }
  return PictureKind::kNone;
}

}  // namespace zb
