#pragma once

#include <string>
#include <string_view>

namespace zb {

// The program's own names, extensions and option values compare without
// regard to the case of ASCII letters, and of nothing else.
char LowerAscii(char c);
std::string ToLowerAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// File names compare as Windows compares them: by the upper-case forms of
// their characters, for all of Unicode. A byte that is no UTF-8 stands for
// itself, apart from every character.
char32_t TakeFolded(std::string_view& text);
bool SameNameIgnoringCase(std::string_view a, std::string_view b);
// The name in a form that two names have alike exactly when they are the
// same name: for keys of maps.
std::string FoldedName(std::string_view name);

}  // namespace zb
