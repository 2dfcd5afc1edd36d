#include "gallery/page_file.h"

#include <utility>

namespace zb {

void CloseFile(std::unique_ptr<TextFile>& file) {
  const std::unique_ptr<TextFile> closing = std::move(file);
  closing->Close();
}

}  // namespace zb
