#include "gallery/page_file.h"

#include <utility>

namespace zb {

void CloseFile(std::unique_ptr<TextFile>& file) {
  const std::unique_ptr<TextFile> closing = std::move(file);
  closing->Close();
}

void CloseFileQuietly(std::unique_ptr<TextFile>& file) noexcept {
  if (!file) return;
  try {
    CloseFile(file);
  } catch (...) {
    // The caller is already failing; this close must not hide why.
  }
}

}  // namespace zb
