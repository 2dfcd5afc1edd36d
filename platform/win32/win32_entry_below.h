#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace zb {

// An entry below a folder reached through real folders only, never through
// a link or junction. The folders on the way are held open, unshared for
// deletion, so none can be renamed or swapped for a link while it is used.
class EntryBelow {
 public:
  // Empty when path is not below folder or a name on the way is no real
  // folder. The searched folder itself is what the user chose, link or not.
  static std::optional<EntryBelow> Find(const std::string& folder, const std::string& path);

  // The entry's long path; its kind is not checked yet.
  const std::wstring& path() const { return path_; }

 private:
  std::vector<UniqueHandle> folders_;
  std::wstring path_;
};

}  // namespace zb
