#include "tools/soak/changing_tree.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace zb::soak {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Pictures of every kind the run takes, other files, and names in Japanese.
const std::vector<std::string> kExtensions = {".jpg", ".JPG", ".jpeg", ".jpe", ".gif",
                                              ".bmp", ".txt", ".htm",  ".png", ""};
const std::vector<std::string> kStems = {"p", "写真", "夕焼け", "a b", "x&y"};

constexpr std::size_t kFiles = 400;

template <typename Set>
auto Pick(const Set& set, std::mt19937& random) {
  auto it = set.begin();
  std::advance(it, std::uniform_int_distribution<std::size_t>(0, set.size() - 1)(random));
  return *it;
}

std::string Parent(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder.empty() ? name : folder + "/" + name;
}

}  // namespace

ChangingTree::ChangingTree(std::string root, const std::string& samples, unsigned seed)
    : root_(std::move(root)), random_(seed) {
  const std::string jpeg = ReadAll(samples + "/旅行/山.jpg");
  contents_ = {{".jpg", jpeg},
               {".JPG", ReadAll(samples + "/panorama.JPG")},
               {".jpeg", jpeg},
               {".jpe", jpeg},
               {".gif", ReadAll(samples + "/animals/fox.gif")},
               {".bmp", ReadAll(samples + "/animals/owl.bmp")},
               {".png", "\x89PNG\r\n\x1a\n"},
               {".txt", "notes\n"},
               {".htm", "<html></html>\n"},
               {"", ""}};
  folders_.insert("");
  for (int i = 0; i < 12; ++i) AddFolder();
  while (files_.size() < kFiles) AddFile(RandomFolder());
}

void ChangingTree::Change() {
  std::uniform_int_distribution<int> few(1, 8);
  // The tree keeps its size, give or take, so that every run has pages to fill.
  const int refill = files_.size() < kFiles ? 10 : 0;
  for (int i = few(random_) + refill; i > 0; --i) AddFile(RandomFolder());
  for (int i = few(random_); i > 0 && !files_.empty(); --i) RemoveFile();
  for (int i = few(random_); i > 0 && !files_.empty(); --i) RenameFile();
  switch (std::uniform_int_distribution<int>(0, 3)(random_)) {
    case 0:
      AddFolder();
      break;
    case 1:
      RemoveFolder();
      break;
    case 2:
      RenameFolder();
      break;
    default:
      break;  // the folders stay as they are
  }
}

std::string ChangingTree::RandomFolder() { return Pick(folders_, random_); }

std::string ChangingTree::NewName(const std::string& folder) {
  return Join(folder, Pick(kStems, random_) + std::to_string(++names_));
}

void ChangingTree::AddFile(const std::string& folder) {
  const std::string extension = Pick(kExtensions, random_);
  const std::string path = NewName(folder) + extension;
  std::ofstream(Host(path), std::ios::binary) << contents_.at(extension);
  files_.insert(path);
}

void ChangingTree::RemoveFile() {
  const std::string path = Pick(files_, random_);
  fs::remove(Host(path));
  files_.erase(path);
}

void ChangingTree::RenameFile() {
  const std::string from = Pick(files_, random_);
  const std::string extension = fs::path(from).extension().string();
  const std::string to = NewName(RandomFolder()) + extension;
  fs::rename(Host(from), Host(to));
  files_.erase(from);
  files_.insert(to);
}

void ChangingTree::AddFolder() {
  const std::string folder = NewName(RandomFolder());
  fs::create_directory(Host(folder));
  folders_.insert(folder);
  for (int i = std::uniform_int_distribution<int>(0, 6)(random_); i > 0; --i) AddFile(folder);
}

void ChangingTree::RemoveFolder() {
  const std::string folder = Pick(folders_, random_);
  const auto held = std::count_if(files_.begin(), files_.end(), [&folder](const std::string& f) {
    return f.starts_with(folder + "/");
  });
  // The root stays, and no removal takes more than a tenth of the tree.
  if (folder.empty() || static_cast<std::size_t>(held) * 10 > files_.size()) return;
  fs::remove_all(Host(folder));
  MoveBelow(folder, {});
}

void ChangingTree::RenameFolder() {
  const std::string folder = Pick(folders_, random_);
  if (folder.empty()) return;
  const std::string to = NewName(Parent(folder));
  fs::rename(Host(folder), Host(to));
  MoveBelow(folder, to);
}

void ChangingTree::MoveBelow(const std::string& from, const std::string& to) {
  const auto below = [&from](const std::string& path) {
    return path == from || path.starts_with(from + "/");
  };
  const auto move = [&](std::set<std::string>& set) {
    std::set<std::string> moved;
    for (auto it = set.begin(); it != set.end();) {
      if (below(*it)) {
        if (!to.empty()) moved.insert(to + it->substr(from.size()));
        it = set.erase(it);
      } else {
        ++it;
      }
    }
    set.merge(moved);
  };
  move(files_);
  move(folders_);
}

}  // namespace zb::soak
