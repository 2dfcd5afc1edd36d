#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zb {

// Letter case is ignored for ASCII letters, as names, extensions and paths
// compare throughout the program.
std::string ToLowerAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool EndsWith(std::string_view text, char c);
std::size_t CountChar(std::string_view text, char c);
// The text up to, not including, its first NUL.
std::string TrimAtNul(std::string_view text);
// Decimal text of a whole number; empty text or any junk gives nullopt.
bool ParseInt(std::string_view text, long& value);

}  // namespace zb
