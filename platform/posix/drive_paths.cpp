#include "platform/posix/drive_paths.h"

namespace zb {

std::optional<std::string> DrivePaths::Resolve(std::string_view drivePath) {
  std::optional<std::string> host = table_.ToHost(drivePath);
  if (host) *host = resolver_.Resolve(*host);
  return host;
}

}  // namespace zb
