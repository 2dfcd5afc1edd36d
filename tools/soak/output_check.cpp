#include "tools/soak/output_check.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "gallery/page_names.h"
#include "gallery/signed_number.h"
#include "testing/shift_jis_for_test.h"
#include "text/letter_case.h"

namespace zb::soak {
namespace {

// The lines of a Shift_JIS file with CR LF ends, as UTF-8; empty when the
// file is missing.
std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::string text = Converted("UTF-8", "CP932", std::move(bytes)).value_or("");
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
    lines.push_back(text.substr(at, end - at));
  }
  return lines;
}

bool IsPicture(const std::string& path) {
  const std::string lower = ToLowerAscii(path);
  const std::size_t dot = lower.rfind('.');
  if (dot == std::string::npos || lower.find('/', dot) != std::string::npos) return false;
  const std::string extension = lower.substr(dot);
  return extension == ".jpg" || extension == ".jpeg" || extension == ".jpe" ||
         extension == ".gif" || extension == ".bmp";
}

long CountStarting(const std::vector<std::string>& lines, const std::string& start) {
  return std::count_if(lines.begin(), lines.end(),
                       [&start](const std::string& line) { return line.starts_with(start); });
}

}  // namespace

RunOutputs CheckOutputs(const std::string& outputFolder, const std::string& searchFolder,
                        const std::set<std::string>& files, int perPage) {
  RunOutputs out;
  const auto problem = [&out](const std::string& text) { out.problems.push_back(text); };

  std::vector<std::string> expected;
  int pictures = 0;
  for (const std::string& file : files) {
    std::string path = searchFolder + file;
    std::replace(path.begin(), path.end(), '/', '\\');
    expected.push_back(path);
    pictures += IsPicture(file) ? 1 : 0;
  }
  std::vector<std::string> listed = Lines(outputFolder + "/allfile.txt");
  std::sort(expected.begin(), expected.end());
  std::sort(listed.begin(), listed.end());
  if (listed != expected) {
    problem("allfile.txt lists " + std::to_string(listed.size()) + " files, the tree holds " +
            std::to_string(expected.size()));
  }

  out.pairs = pictures / perPage + 1;
  for (int k = 0; k < out.pairs; ++k) {
    const std::vector<std::string> reduced = Lines(outputFolder + "/" + ReducedPageName(k));
    const std::vector<std::string> normal = Lines(outputFolder + "/" + PageName(k));
    const long onPage = CountStarting(reduced, "<a href=");
    if (onPage != CountStarting(normal, "<a href="))
      problem(PageName(k) + " differs from its pair");
    if (onPage != std::min(perPage, pictures - k * perPage)) {
      problem(ReducedPageName(k) + " holds " + std::to_string(onPage) + " pictures");
    }
    out.pictures += static_cast<int>(onPage);
  }
  if (out.pictures != pictures) {
    problem("the pages hold " + std::to_string(out.pictures) + " pictures, the tree " +
            std::to_string(pictures));
  }

  const std::vector<std::string> list = Lines(outputFolder + "/" + "_gazlist.htm");
  if (CountStarting(list, "<a href=\"_gaz") != out.pairs) problem("the list page's rows");
  const std::string total = "全部で " + SignedNumber(pictures) + "個 の画像がありました。<br>";
  if (std::find(list.begin(), list.end(), total) == list.end()) problem("the list page's count");
  return out;
}

}  // namespace zb::soak
