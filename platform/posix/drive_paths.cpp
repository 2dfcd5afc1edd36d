#include "platform/posix/drive_paths.h"

#include <algorithm>

namespace zb {

std::optional<std::string> DrivePaths::Resolve(std::string_view drivePath) {
  std::optional<std::string> host = table_.ToHost(drivePath);
  if (host) *host = resolver_.Resolve(*host);
  return host;
}

std::string DrivePaths::SpelledAsOnDisk(std::string_view drivePath) {
  const std::optional<std::string> host = table_.ToHost(drivePath);
  const std::optional<std::string> root = table_.ToHost(drivePath.substr(0, 2));
  if (!host || !root) return std::string(drivePath);
  const std::string resolved = resolver_.Resolve(*host);
  // Respelling changes letters, never where the names begin and end.
  std::string below = resolved.substr(*root == "/" ? 0 : root->size());
  if (resolved == *host || below.find('\\') != std::string::npos) return std::string(drivePath);
  std::replace(below.begin(), below.end(), '/', '\\');
  std::string spelled = std::string(drivePath.substr(0, 2)) + below;
  if (below.empty() || drivePath.ends_with('\\')) spelled += '\\';
  return spelled;
}

}  // namespace zb
