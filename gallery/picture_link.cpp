#include "gallery/picture_link.h"

#include <algorithm>
#include <string_view>

#include "gallery/html_escape.h"

namespace zb {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
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
