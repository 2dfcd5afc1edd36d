#include "scan/odd_files.h"

#include <string_view>

#include "context/output_names.h"
#include "gallery/page_names.h"
#include "scan/run_session.h"
#include "text/letter_case.h"
#include "text/text_util.h"

namespace zb {
namespace {

constexpr std::string_view kPagePrefix = "_gaz";
constexpr std::size_t kMostPageDigits = 9;

// "_gaz0003.htm", "_gaz0003.html": a page of this run or of an earlier one.
bool IsPageName(std::string_view name) {
  if (name.size() <= kPagePrefix.size() ||
      !EqualsIgnoreCase(name.substr(0, kPagePrefix.size()), kPagePrefix)) {
    return false;
  }
  const std::size_t end = name.find_first_not_of("0123456789", kPagePrefix.size());
  const std::size_t digits = end == std::string_view::npos ? 0 : end - kPagePrefix.size();
  std::int32_t pair = 0;
  if (digits == 0 || digits > kMostPageDigits ||
      !ParseInt(name.substr(kPagePrefix.size(), digits), pair)) {
    return false;
  }
  return EqualsIgnoreCase(name, PageName(pair)) || EqualsIgnoreCase(name, ReducedPageName(pair));
}

// The files the program writes: the list page, and allfile.txt and the pages
// beside it. A page the walk meets before this run rewrites it is one too.
bool IsProgramOutput(const RunContext& run, const std::string& path) {
  if (EqualsIgnoreCase(path, run.ListPath)) return true;
  const std::string& folder = run.OutputFolder;
  if (folder.empty() || path.size() <= folder.size() ||
      !EqualsIgnoreCase(std::string_view(path).substr(0, folder.size()), folder)) {
    return false;
  }
  const std::string_view name = std::string_view(path).substr(folder.size());
  return name.find('\\') == std::string_view::npos &&
         (EqualsIgnoreCase(name, kAllFileName) || IsPageName(name));
}

}  // namespace

bool MayOfferForDeletion(RunSession& session, const std::string& path) {
  return !IsProgramOutput(session.run, path) &&
         session.platform.files.IsPlainFileBelow(session.run.SearchRoot, path);
}

}  // namespace zb
