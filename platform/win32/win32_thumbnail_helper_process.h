#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/win32/unique_handle.h"
#include "thumbnail/helper_process_pool.h"

namespace zb {

// What one helper process may commit; a picture that needs more ends its
// helper instead of exhausting the machine, and gets no thumbnail.
inline constexpr std::uint64_t kHelperMemoryBytes = std::uint64_t{1} << 30;

// Starts the helper program over its standard input and output, in a job
// object of this launcher, which ends the helpers when the launcher or the
// whole run goes, however it goes.
class Win32ThumbnailHelperLauncher : public ThumbnailHelperLauncher {
 public:
  // program: a UTF-8 drive path.
  explicit Win32ThumbnailHelperLauncher(const std::string& program);
  std::unique_ptr<ThumbnailHelperProcess> Start() override;

 private:
  const std::wstring program_;
  // Null when the system gave none: then no helper starts.
  const UniqueHandle job_;
};

}  // namespace zb
