#pragma once

#include <string>
#include <string_view>

namespace zb {

// A drive path ("C:\pics\a.jpg") or a UNC path as the wide API takes it
// past MAX_PATH: "\\?\C:\pics\a.jpg", "\\?\UNC\server\share\a.jpg". The
// system then takes every name as it stands: a trailing dot or space stays
// part of a name, and "." or ".." are not folded, so callers give whole
// paths. Anything else (a relative path) is only made wide.
std::wstring LongPathOf(std::string_view path);

}  // namespace zb
