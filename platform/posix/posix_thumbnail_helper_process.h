#pragma once

#include <memory>
#include <string>

#include "thumbnail/helper_process_pool.h"

namespace zb {

// Starts the helper program as a child of this process, on one end of a
// socket that is its standard input and output.
class PosixThumbnailHelperLauncher : public ThumbnailHelperLauncher {
 public:
  explicit PosixThumbnailHelperLauncher(std::string program) : program_(std::move(program)) {}
  std::unique_ptr<ThumbnailHelperProcess> Start() override;

 private:
  const std::string program_;
};

}  // namespace zb
