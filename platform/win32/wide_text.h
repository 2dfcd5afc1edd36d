#pragma once

#include <string>
#include <string_view>

namespace zb {

// The program's UTF-8 as the UTF-16 of the Windows API and back. What
// neither form can carry, a byte that starts no UTF-8 character or an
// unpaired surrogate, becomes U+FFFD on its own: the rest of the text is kept.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace zb
