#pragma once

#include "context/run_context.h"
#include "platform/file_system.h"

namespace zb {

// After a whole run: removes the page pairs numbered past the run's last
// from its output folder. Left by an earlier, larger gallery, they would stay
// linked from the last page and show pictures that are gone. Only our own
// pages go: plain files of exactly our naming that begin with our first line.
void RemoveStalePages(const RunContext& ctx, FileSystem& files);

}  // namespace zb
