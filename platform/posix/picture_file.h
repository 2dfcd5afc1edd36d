#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zb {

// The whole of a regular file of at most maxBytes; empty when it is
// anything else, empty or cannot be read. Reads through no FIFO or device.
std::optional<std::vector<std::uint8_t>> ReadPictureFile(const std::string& hostPath,
                                                         std::uint64_t maxBytes);

}  // namespace zb
