#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace zb {

// The walk a run is about to make: from root, a folder's own entries before
// its sub-folders, the sub-folders in listing order, each folder once.
struct WalkPlan {
  std::string root;  // drive path ending in a backslash
  std::uint32_t mask = 0;
  bool subfolders = false;
  // Whether the walk enters the folder of this entry; first is true for a
  // listing's first entry. Called on helper threads: it must use nothing but
  // its arguments.
  std::function<bool(const FolderEntry& entry, bool first)> enters;
  // How many first bytes of the file of this name the walk wants: 0 for
  // none, at most headBytes. The same rule for threads applies.
  std::function<std::size_t(std::string_view name)> headBytesOf;
  std::size_t headBytes = 0;
};

// Lists the planned walk's folders and reads the first bytes of the files it
// wants, ahead of the walk, on helper threads, within a bounded window. The
// helpers only read: nothing is parsed, written or shown there. The walk's
// thread takes the results in walk order; a walk that strays from the plan
// (an option changed, a stop) ends the reading ahead and lists by itself.
class WalkAhead {
 public:
  // Stops the helpers and waits for them. Listings it gave must be gone.
  virtual ~WalkAhead() = default;
  // folder's listing as read ahead, its entries' Head() filled where wanted,
  // when folder (spelt as the plan spells it) is the next folder of the
  // walk; else null, and the caller lists folder itself.
  virtual std::unique_ptr<FolderListing> ListFolder(const std::string& folder) = 0;
};

}  // namespace zb
