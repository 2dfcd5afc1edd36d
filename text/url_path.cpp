#include "text/url_path.h"

#include <algorithm>
#include <array>

namespace zb {
namespace {

constexpr std::array<bool, 256> kUnreserved = [] {
  std::array<bool, 256> unreserved{};
  for (const char c : std::string_view("-._~")) unreserved[static_cast<unsigned char>(c)] = true;
  for (int c = '0'; c <= '9'; ++c) unreserved[c] = true;
  for (int c = 'A'; c <= 'Z'; ++c) unreserved[c] = unreserved[c - 'A' + 'a'] = true;
  return unreserved;
}();

}  // namespace

// Plain runs go in whole: every picture's link is made here.
void AppendUrlPath(std::string& url, std::string_view path, char separator) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  url.reserve(url.size() + path.size());
  while (!path.empty()) {
    const auto plain = static_cast<std::size_t>(
        std::find_if(path.begin(), path.end(),
                     [](char c) { return !kUnreserved[static_cast<unsigned char>(c)]; }) -
        path.begin());
    url.append(path.data(), plain);
    if (plain == path.size()) return;
    const auto byte = static_cast<unsigned char>(path[plain]);
    if (path[plain] == separator) {
      url += '/';
    } else {
      const char escaped[] = {'%', kHex[byte >> 4], kHex[byte & 0xF]};
      url.append(escaped, sizeof escaped);
    }
    path.remove_prefix(plain + 1);
  }
}

}  // namespace zb
