#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zb {

// Pair k's number as page names carry it: at least four digits ("0000", "12345").
std::string PageNumber(std::int32_t k);

// The pages of pair k, without folder: "_gaz0000.htm" and "_gaz0000.html".
std::string PageName(std::int32_t k);
std::string ReducedPageName(std::int32_t k);

// k when name is exactly PageName(k) or ReducedPageName(k).
std::optional<std::int32_t> PairOfPageName(std::string_view name);

}  // namespace zb
