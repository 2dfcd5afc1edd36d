#include "gallery/list_page.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "gallery/html_escape.h"
#include "gallery/page_file.h"
#include "gallery/page_names.h"
#include "gallery/signed_number.h"

namespace zb {
namespace {

std::string PairRow(std::int32_t k) {
  const std::string normal = PageName(k);
  const std::string reduced = ReducedPageName(k);
  return "<a href=\"" + normal + "\">" + normal + "</a>　　<a href=\"" + reduced + "\">" + reduced +
         "</a>　<br>";
}

// One row per page pair of the run, then the summary.
std::vector<std::string> ListPageLines(const RunContext& ctx, bool subFolders,
                                       TextEncoding& encoding) {
  std::vector<std::string> lines = {
      "<html><head><title>★Zorbelle♪：画像リスト</title></head><body  BGCOLOR=\"white\" "
      "><center>",
      ctx.FooterHtml,
      "<hr><h1>画像リスト</h1><font size=5><p>",
      "通常表示　　　縮小表示<br>",
  };
  for (std::int32_t k = 0, last = LastPair(ctx); k <= last; ++k) lines.push_back(PairRow(k));
  lines.push_back("<p></font><hr>");
  lines.push_back("今回は" + EscapeHtmlText(ctx.SearchRoot, encoding) +
                  (subFolders ? "以下の" : "") + "ディレクトリにある画像を検索しました｡<br>");
  lines.push_back("全部で " + SignedNumber(ctx.ImageCount) + "個 の画像がありました。<br>");
  lines.push_back("１画面あたり " + SignedNumber(ctx.ImagesPerPage) +
                  " 個のファイルを表示します｡<br>");
  lines.push_back("画像をクリックすると、<b>もう一のブラウザ</b>で本来の画像を表示します。<br>");
  lines.push_back("");
  lines.push_back("</center></body></html>");
  return lines;
}

}  // namespace

std::int32_t LastPair(const RunContext& ctx) {
  // The scroll bar keeps ImagesPerPage at 1 or more; never divide by zero.
  return ctx.ImageCount / std::max<std::int32_t>(ctx.ImagesPerPage, 1);
}

void WriteListPage(const RunContext& ctx, bool galleryPages, bool subFolders,
                   GalleryWriter& gallery, FileSystem& files, TextEncoding& encoding) {
  if (!galleryPages) return;
  gallery.ClosePair();
  std::unique_ptr<TextFile> list = files.CreateTextFile(ctx.ListPath);
  try {
    for (const std::string& line : ListPageLines(ctx, subFolders, encoding)) list->WriteLine(line);
  } catch (...) {
    list.reset();  // unfinished: the old list page stays
    throw;
  }
  CloseFile(list);
}

}  // namespace zb
