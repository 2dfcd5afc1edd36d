#include "gallery/stale_pages.h"

#include <optional>
#include <string_view>

#include "gallery/gallery_writer.h"
#include "gallery/list_page.h"
#include "gallery/page_names.h"

namespace zb {

void RemoveStalePages(const RunContext& ctx, FileSystem& files) {
  // A run without pictures wrote no pair at all.
  const std::int32_t first = ctx.ImageCount > 0 ? LastPair(ctx) + 1 : 0;
  files.DeleteOwnTextFiles(
      ctx.OutputFolder,
      [first](std::string_view name) {
        const std::optional<std::int32_t> k = PairOfPageName(name);
        return k && *k >= first;
      },
      kPageHeadLine);
}

}  // namespace zb
