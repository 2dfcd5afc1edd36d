#pragma once

#include <string_view>

namespace zb {

// kHeif: a picture no browser but Safari shows, which gets a browser copy
// beside its thumbnail.
enum class PictureKind { kNone, kGif, kHeif, kOther };

// The extension is taken from the last dot of the whole path, folders
// included, so "C:\a.b\file" has none that matches. Case is ignored.
// moreFormats admits .png, .webp, .avif, .heic and .heif.
PictureKind KindOf(std::string_view path, bool withBmp, bool moreFormats);

}  // namespace zb
