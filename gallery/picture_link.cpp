#include "gallery/picture_link.h"

#include <algorithm>
#include <string_view>

#include "gallery/html_escape.h"
#include "text/letter_case.h"

namespace zb {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

std::string PictureLink(const RunContext& ctx, FileSystem& files, TextEncoding& encoding,
                        const std::string& picturePath) {
  const bool relative = ctx.SameDirOutput == 1 && ctx.RelativeLinks == 1 &&
                        StartsWithIgnoringCase(picturePath, ctx.OutputFolder);
  if (!relative) return EscapeHtmlText(files.FileUrl(picturePath), encoding);
  std::string below = picturePath.substr(ctx.OutputFolder.size());
  std::replace(below.begin(), below.end(), '\\', '/');
  return EscapeLink(below, encoding);
}

}  // namespace zb
