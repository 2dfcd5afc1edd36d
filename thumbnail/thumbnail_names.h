#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zb {

// The thumbnails' folder inside the output folder, and the file in it that
// says the folder is ours.
inline constexpr const char* kThumbnailFolder = "_gazthumb";
inline constexpr const char* kThumbnailOwnerMark = "zorbelle-thumbnails.txt";
// The mark's one line, for a person who finds the folder; the system's line end follows.
inline constexpr std::string_view kThumbnailOwnerMarkLine =
    "Zorbelle keeps reduced pictures here. Files named like 0123456789abcdef.jpg (or "
    ".none, for a picture that gave none) are removed when no page needs them any more; "
    "other files are never touched.";
// A thumbnail being written starts so; a run removes those left behind.
inline constexpr std::string_view kThumbnailTemporaryPrefix = ".zorbelle-tmp-";

// What a thumbnail is made from; a change of any part makes a new name, so
// an unchanged picture keeps its thumbnail from one run to the next. The file
// id and change time are what no copy keeping times (cp -p, rsync -t) or
// edit can set back, so new content always gets a new name.
struct ThumbnailSource {
  std::string_view hostPath;
  std::uint64_t size = 0;
  std::int64_t modifiedNanoseconds = 0;
  int side = 0;
  std::uint64_t fileId = 0;
  std::int64_t changedNanoseconds = 0;
};

// The side that asks for a browser copy instead of a thumbnail: the whole
// picture as a JPEG, for a format that browsers do not show. It is named and
// kept as a thumbnail is.
inline constexpr int kBrowserCopySide = 0x7FFFFFFF;

// Sixteen hexadecimal digits and ".jpg".
std::string ThumbnailFileName(const ThumbnailSource& source);
// Whether a name has the form ThumbnailFileName gives.
bool IsThumbnailFileName(std::string_view name);
// The record that a picture gives no thumbnail: its thumbnail's name ending
// in ".none" instead of ".jpg".
std::string NoThumbnailRecordName(std::string_view thumbnailName);
// Whether a name has the form NoThumbnailRecordName gives.
bool IsNoThumbnailRecordName(std::string_view name);

// The pixel size of a thumbnail: the longest side is `side`, never more than
// the picture's own size, proportions kept, at least one pixel each way.
struct ThumbnailSize {
  int width = 0;
  int height = 0;
};
ThumbnailSize ThumbnailSizeFor(int width, int height, int side);

}  // namespace zb
