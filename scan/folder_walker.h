#pragma once

#include <cstdint>
#include <string>

#include "platform/walk_ahead.h"

namespace zb {

struct RunSession;

// The walk WalkFolder will make from root, for reading it ahead.
WalkPlan WalkPlanFor(const RunSession& session, const std::string& root);

// Walks a folder depth first, its own files before its sub-folders. Returns
// 0 when the walk finished or was stopped, else the page-write error number
// that ended it.
std::int16_t WalkFolder(RunSession& session, std::string folder);

}  // namespace zb
