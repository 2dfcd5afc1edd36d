#pragma once

#include <string_view>

namespace zb {

enum class PictureKind { kNone, kGif, kOther };

// The extension is taken from the last dot of the whole path, folders
// included, so "C:\a.b\file" has none that matches. Case is ignored.
// moreFormats admits .png, .webp and .avif.
PictureKind KindOf(std::string_view path, bool withBmp, bool moreFormats);

}  // namespace zb
