#pragma once

#include <string>
#include <string_view>

#include "text/ini_text.h"

namespace zb {

// Settings files: one folder per application under the configuration
// folder, one file per section ("Zorbelle/CheckBox Value.ini").
std::string IniSectionPath(const std::string& configHome, const std::string& app,
                           const std::string& section);
// The section's entries as libinih reads the file; none when it is missing
// or no regular file.
IniEntries ReadIniSection(const std::string& path, std::string_view section);
// Makes the folders a file at path needs; false when they cannot be made.
bool MakeFolderFor(const std::string& path);

}  // namespace zb
