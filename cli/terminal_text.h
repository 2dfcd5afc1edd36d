#pragma once

#include <string>
#include <string_view>

namespace zb {

// Text for a terminal: a message's CR LF line ends become line ends, and
// every other control character (C0, DEL, C1, direction overrides) and every
// byte that is not UTF-8 shows as "\xHH" per byte, so that a file name cannot move the cursor,
// erase a line or recolour the screen.
std::string ForTerminal(std::string_view text);

}  // namespace zb
