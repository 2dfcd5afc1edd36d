#pragma once

#include <cstdint>
#include <string>

namespace zb {

// A number behind a sign position: " 120" for 120, "-5" for -5.
std::string SignedNumber(std::int64_t value);

}  // namespace zb
