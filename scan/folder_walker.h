#pragma once

#include <cstdint>
#include <string>

namespace zb {

struct Program;

// Walks a folder depth first, its own files before its sub-folders. Returns
// 0 when the walk finished or was stopped, else the page-write error number
// that ended it.
std::int16_t WalkFolder(Program& program, std::string folder);

}  // namespace zb
