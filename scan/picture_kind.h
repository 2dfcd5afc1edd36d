#pragma once

#include <string>

namespace zb {

enum class PictureKind { kNone, kGif, kOther };

// The extension is taken from the last dot of the whole path, folders
// included, so "C:\a.b\file" has none that matches. Case is ignored.
// moreFormats admits .png, .webp and .avif.
PictureKind KindOf(const std::string& path, bool withBmp, bool moreFormats);

}  // namespace zb
