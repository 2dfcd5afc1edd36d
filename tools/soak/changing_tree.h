#pragma once

#include <map>
#include <random>
#include <set>
#include <string>

namespace zb::soak {

// A folder tree on the host that changes between runs, and what it holds:
// files added, removed and renamed, folders made, removed and renamed.
class ChangingTree {
 public:
  // root: an empty host folder; samples: the project's sample pictures.
  ChangingTree(std::string root, const std::string& samples, unsigned seed);

  // Files with their paths below the root, "/" separated.
  const std::set<std::string>& Files() const { return files_; }
  // A few changes of every kind, at random.
  void Change();

 private:
  std::string RandomFolder();
  std::string NewName(const std::string& folder);
  void AddFile(const std::string& folder);
  void RemoveFile();
  void RenameFile();
  void AddFolder();
  void RemoveFolder();
  void RenameFolder();
  // Forgets or re-keys everything at or below a folder.
  void MoveBelow(const std::string& from, const std::string& to);
  std::string Host(const std::string& relative) const { return root_ + "/" + relative; }

  std::string root_;
  std::map<std::string, std::string> contents_;  // by extension
  std::set<std::string> files_;
  std::set<std::string> folders_;  // "" is the root
  std::mt19937 random_;
  int names_ = 0;
};

}  // namespace zb::soak
