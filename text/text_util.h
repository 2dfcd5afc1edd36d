#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zb {

bool EndsWith(std::string_view text, char c);
std::size_t CountChar(std::string_view text, char c);
// The text up to, not including, its first NUL.
std::string TrimAtNul(std::string_view text);
// Decimal text of a whole number; empty text, any junk or a number beyond 32
// bits gives false and leaves value alone. The width is fixed so that a
// setting reads the same where long has 32 bits (Windows) and where it has 64.
bool ParseInt(std::string_view text, std::int32_t& value);

}  // namespace zb
