#pragma once

#include <memory>

#include "platform/file_system.h"

namespace zb {

// Closes and releases the file; it counts as closed even when Close throws,
// so a failed close is never retried.
void CloseFile(std::unique_ptr<TextFile>& file);

// The same for clean-up after a failure: errors are ignored, an empty
// pointer is fine.
void CloseFileQuietly(std::unique_ptr<TextFile>& file) noexcept;

}  // namespace zb
