#pragma once

#include <string>

#include "context/run_context.h"
#include "platform/file_system.h"
#include "text/text_encoding.h"

namespace zb {

// The link to a picture, ready to stand between the quotes of an attribute:
// relative to the output folder when SameDirOutput and RelativeLinks are
// both 1 and the picture lies below that folder, else the host's file URL
// (the drive form "file:///C|/..." opens in no browser off Windows).
std::string PictureLink(const RunContext& ctx, FileSystem& files, TextEncoding& encoding,
                        const std::string& picturePath);

}  // namespace zb
