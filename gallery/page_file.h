#pragma once

#include <memory>

#include "platform/file_system.h"

namespace zb {

// Closes and releases the file; it counts as closed even when Close throws,
// so a failed close is never retried.
void CloseFile(std::unique_ptr<TextFile>& file);

}  // namespace zb
