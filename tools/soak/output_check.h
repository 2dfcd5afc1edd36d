#pragma once

#include <set>
#include <string>
#include <vector>

namespace zb::soak {

struct RunOutputs {
  int pictures = 0;  // placed on the pages, as the list page and the pages say
  int pairs = 0;     // page pairs of this run
  std::vector<std::string> problems;
};

// Reads what a run wrote into outputFolder (a host folder) and compares it
// with the files it should have seen: searchFolder (a drive path ending in
// "\") holding files (paths below it, "/" separated). Every file is on the
// all-file list once, every picture on the pages once, and the list page
// links each pair of the run.
RunOutputs CheckOutputs(const std::string& outputFolder, const std::string& searchFolder,
                        const std::set<std::string>& files, int perPage);

}  // namespace zb::soak
