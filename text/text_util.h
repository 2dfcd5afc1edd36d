#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zb {

bool EndsWith(std::string_view text, char c);
std::size_t CountChar(std::string_view text, char c);
// The text up to, not including, its first NUL.
std::string TrimAtNul(std::string_view text);
// Decimal text of a whole number; empty text or any junk gives nullopt.
bool ParseInt(std::string_view text, long& value);

}  // namespace zb
