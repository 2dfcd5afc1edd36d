#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zb {

// Text as it is kept in the settings' INI files, in a form that libinih reads
// back byte for byte: "%", comment marks, control characters (line ends
// among them) and the extra characters given become "%XX"; the rest,
// backslashes and non-ASCII letters included, stays readable.
std::string EscapeIniText(std::string_view text, std::string_view extra = {});
// Undoes EscapeIniText; a "%" not followed by two hex digits stays as it is.
std::string UnescapeIniText(std::string_view text);

// Appends "key=value" with the value escaped. libinih (as packaged) cuts
// lines at 199 bytes, so a long value goes on over indented continuation
// lines, which libinih hands over as further values of the same key; a
// space at either end of a line is escaped, since libinih trims them.
// False, with nothing appended, for a key too long to fit on its line.
bool AppendIniEntry(std::string& out, std::string_view key, std::string_view value);

// One section's keys and values, in file order. Keys compare as in the
// Windows registry: without regard to case.
using IniEntries = std::vector<std::pair<std::string, std::string>>;
std::string IniValueOf(const IniEntries& entries, const std::string& key,
                       const std::string& fallback);
void SetIniValue(IniEntries& entries, const std::string& key, const std::string& value);
// Appends "[section]" and its entries; false when a key is too long.
bool AppendIniSection(std::string& out, std::string_view section, const IniEntries& entries);

}  // namespace zb
