#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "text/text_encoding.h"

namespace zb {

// The bar that links page pair n (1-based) to its neighbours, the list page
// and the other page of the pair: five lines to the normal page, then five
// to the reduced page. Write failures propagate.
void WriteNavigationBar(TextFile& normal, TextFile& reduced, std::int32_t n,
                        const std::string& listFileName, TextEncoding& encoding);

}  // namespace zb
