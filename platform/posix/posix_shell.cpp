#include "platform/posix/posix_shell.h"

#include <sys/stat.h>

#include <string_view>

namespace zb {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const char c = (text[i] >= 'A' && text[i] <= 'Z') ? char(text[i] - 'A' + 'a') : text[i];
    if (c != prefix[i]) return false;
  }
  return true;
}

bool IsWebAddress(std::string_view text) {
  return StartsWithIgnoringCase(text, "http://") || StartsWithIgnoringCase(text, "https://");
}

}  // namespace

void PosixShell::Open(const std::string& /*verb*/, const std::string& document,
                      const std::string& workingFolder) {
  std::string target = document;
  if (!IsWebAddress(document)) {
    if (std::optional<std::string> host = paths_.Resolve(document)) target = std::move(*host);
  }
  // A working folder that is gone would stop the opener from starting at all.
  std::string folder;
  struct stat status;
  if (std::optional<std::string> host = paths_.Resolve(workingFolder);
      host && stat(host->c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
    folder = std::move(*host);
  }
  spawner_.Spawn({opener_, target}, folder);
}

}  // namespace zb
