#pragma once

namespace zb {

// The names the program gives its own output.
inline constexpr const char* kDefaultFolderName = "_Zorbelle";
inline constexpr const char* kListFileName = "_gazlist.htm";
inline constexpr const char* kAllFileName = "allfile.txt";

}  // namespace zb
