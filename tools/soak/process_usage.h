#pragma once

#include <cstddef>

namespace zb::soak {

// This process's resident memory, in KiB.
std::size_t ResidentKiB();
// The descriptors this process has open, not counting the one used to count.
int OpenDescriptors();

}  // namespace zb::soak
