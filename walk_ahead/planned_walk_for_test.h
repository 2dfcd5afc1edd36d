#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/walk_ahead.h"

namespace zb {

// For tests: the walk a plan makes, in its order, noting every entry as
// "folder name" and a head as " head=" and its bytes. A folder not served
// ahead is noted in listedByItself and listed by listItself, if given.
struct PlannedWalk {
  using Lister = std::function<std::unique_ptr<FolderListing>(const std::string& folder)>;

  explicit PlannedWalk(WalkPlan walkPlan, Lister lister = {})
      : plan(std::move(walkPlan)), listItself(std::move(lister)) {}

  void Folder(WalkAhead* ahead, const std::string& folder) {
    std::unique_ptr<FolderListing> listing = ahead ? ahead->ListFolder(folder) : nullptr;
    if (!listing) {
      listedByItself.push_back(folder);
      if (listItself) listing = listItself(folder);
    }
    if (!listing || !entered.insert({listing->Id().device, listing->Id().inode}).second) return;
    std::vector<std::string> subfolders;
    FolderEntry entry;
    for (bool first = true; listing->Next(entry); first = false) {
      std::string line = folder + entry.name;
      if (const auto head = listing->Head()) {
        line += " head=" + std::string(reinterpret_cast<const char*>(head->data()), head->size());
      }
      seen.push_back(line);
      if (plan.enters(folder, entry, first)) subfolders.push_back(entry.name);
    }
    listing.reset();
    for (const std::string& name : subfolders) Folder(ahead, folder + name + "\\");
  }

  WalkPlan plan;
  Lister listItself;
  std::vector<std::string> seen;
  std::vector<std::string> listedByItself;
  std::set<std::pair<std::uint64_t, std::uint64_t>> entered;
};

}  // namespace zb
