#pragma once

#include <string>
#include <string_view>

namespace zb {

// Appends path as the path of a file URL: letters, digits and "-._~" stay,
// separator becomes "/", and every other byte becomes "%XX".
void AppendUrlPath(std::string& url, std::string_view path, char separator);

}  // namespace zb
