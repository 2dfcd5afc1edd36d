#include "gallery/page_names.h"

#include <charconv>

namespace zb {

std::string PageNumber(std::int32_t k) {
  std::string digits = std::to_string(k);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  return digits;
}

std::string PageName(std::int32_t k) { return "_gaz" + PageNumber(k) + ".htm"; }

std::string ReducedPageName(std::int32_t k) { return PageName(k) + "l"; }

std::optional<std::int32_t> PairOfPageName(std::string_view name) {
  if (!name.starts_with("_gaz")) return std::nullopt;
  const std::string_view digits = name.substr(4, name.find('.') - 4);
  std::int32_t k = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), k);
  if (error != std::errc() || end != digits.data() + digits.size() || k < 0 ||
      (name != PageName(k) && name != ReducedPageName(k))) {
    return std::nullopt;
  }
  return k;
}

}  // namespace zb
