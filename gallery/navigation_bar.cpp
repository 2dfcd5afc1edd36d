#include "gallery/navigation_bar.h"

#include "gallery/html_escape.h"
#include "gallery/page_names.h"

namespace zb {
namespace {

constexpr const char* kBarOpening =
    "<p><TABLE border=\"1\" cellpadding=\"1\" cellspacing=\"0\" WIDTH=\"100%\" "
    "align=\"center\"><TR>";
constexpr const char* kBarClosing = "</TR></TABLE><center>";
constexpr const char* kCentredCell = "<td width=\"30%\" align=\"center\">";

std::string PreviousCell(std::int32_t n, const std::string& previous) {
  if (n == 1) return std::string(kCentredCell) + "前のリスト</td>";
  return std::string(kCentredCell) + "<a href=\"" + previous + "\">前のリスト" + previous +
         "</a></td>";
}

std::string NextCell(const std::string& next) {
  return "<td width=\"30%\" align=\"right\"><a href=\"" + next +
         "\"><font size=+1>次のリスト</font>" + next + "</a></td>";
}

// otherView is the other page of the same pair, captioned by what it shows.
std::string MiddleCell(const std::string& listLink, const std::string& otherView,
                       const char* otherCaption) {
  return std::string(kCentredCell) + "<a href=\"" + listLink + "\">リスト</a>　<a href=\"" +
         otherView + "\">" + otherCaption + "</a></TD>";
}

void WriteBar(TextFile& file, const std::string& previousCell, const std::string& middleCell,
              const std::string& nextCell) {
  file.WriteLine(kBarOpening);
  file.WriteLine(previousCell);
  file.WriteLine(middleCell);
  file.WriteLine(nextCell);
  file.WriteLine(kBarClosing);
}

}  // namespace

void WriteNavigationBar(TextFile& normal, TextFile& reduced, std::int32_t n,
                        const std::string& listFileName, TextEncoding& encoding) {
  const std::string listLink = EscapeLink(listFileName, encoding);
  WriteBar(normal, PreviousCell(n, PageName(n - 2)),
           MiddleCell(listLink, ReducedPageName(n - 1), "縮小"), NextCell(PageName(n)));
  WriteBar(reduced, PreviousCell(n, ReducedPageName(n - 2)),
           MiddleCell(listLink, PageName(n - 1), "通常"), NextCell(ReducedPageName(n)));
}

}  // namespace zb
