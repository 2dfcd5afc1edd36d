#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "thumbnail/helper_protocol.h"

namespace zb {

// No picture file larger is decoded.
inline constexpr std::uint64_t kMaxPictureFileBytes = std::uint64_t{512} * 1024 * 1024;

// A picture file's bytes; empty when it cannot be read, is larger than
// kMaxPictureFileBytes or no regular file.
using PictureFileReader =
    std::function<std::optional<std::vector<std::uint8_t>>(const std::string& hostPath)>;

// The helper's work: answers the requests from `channel` until it closes,
// each with the thumbnail made of the picture (JPEG), or its browser copy
// for kBrowserCopySide, or with none when the picture cannot be read or
// decoded. startPicture is called before each
// picture is read.
void ServeThumbnailRequests(MessageChannel& channel, const PictureFileReader& readPicture,
                            const std::function<void()>& startPicture);

}  // namespace zb
