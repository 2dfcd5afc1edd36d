#include "scan/picture_kind.h"

#include <string_view>

#include "text/letter_case.h"

namespace zb {

PictureKind KindOf(std::string_view path, bool withBmp, bool moreFormats) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return PictureKind::kNone;
  // Lowered once: every file of the walk comes through here.
  constexpr std::size_t kLongest = 4;
  const std::string_view ext = path.substr(dot + 1);
  if (ext.size() < 3 || ext.size() > kLongest) return PictureKind::kNone;
  char lowered[kLongest];
  for (std::size_t i = 0; i < ext.size(); ++i) lowered[i] = LowerAscii(ext[i]);
  const std::string_view e(lowered, ext.size());
  if (e == "gif") return PictureKind::kGif;
  if (e == "jpg" || e == "jpe" || e == "jpeg") return PictureKind::kOther;
  if (withBmp && e == "bmp") return PictureKind::kOther;
  if (moreFormats) {
    if (e == "png" || e == "webp" || e == "avif") return PictureKind::kOther;
    if (e == "heic" || e == "heif") return PictureKind::kHeif;
  }
  return PictureKind::kNone;
}

}  // namespace zb
