#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zb {

// Takes the next character off UTF-8 text. A byte that starts no valid,
// shortest-form character is taken off alone and gives nullopt.
std::optional<char32_t> TakeCodePoint(std::string_view& text);
// How many bytes at the start of text are ASCII.
std::size_t AsciiPrefixLength(std::string_view text);
// Appends c, a character (no surrogate), as UTF-8.
void AppendUtf8(char32_t c, std::string& out);

}  // namespace zb
