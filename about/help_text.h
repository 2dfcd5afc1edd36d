#pragma once

#include <string>

namespace zb {

// The About box's help text, lines separated by CR LF: a framed title, the
// contents, then one section per entry of the contents.
std::string HelpText();

}  // namespace zb
