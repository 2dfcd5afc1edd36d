#pragma once

#include <string>

#include "context/run_context.h"
#include "gallery/gallery_writer.h"
#include "platform/file_system.h"
#include "text/text_encoding.h"

namespace zb {

// The number of the run's last page pair, the last the list page names.
std::int32_t LastPair(const RunContext& ctx);

// Ends the gallery when gallery pages are on (the live chkGazoHtml): closes
// the open pair as it stands and writes the list page to ListPath. Failures
// throw FileError, and no file is left open.
void WriteListPage(const RunContext& ctx, bool galleryPages, bool subFolders,
                   GalleryWriter& gallery, FileSystem& files, TextEncoding& encoding);

}  // namespace zb
