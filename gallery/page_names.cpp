#include "gallery/page_names.h"

namespace zb {

std::string PageNumber(std::int32_t k) {
  std::string digits = std::to_string(k);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  return digits;
}

std::string PageName(std::int32_t k) { return "_gaz" + PageNumber(k) + ".htm"; }

std::string ReducedPageName(std::int32_t k) { return PageName(k) + "l"; }

}  // namespace zb
