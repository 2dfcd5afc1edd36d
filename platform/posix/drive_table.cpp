#include "platform/posix/drive_table.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace zb {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Splits a path at any of the separators and settles "." and ".." on the way;
// ".." at the top stays at the top, as Windows does at a drive root.
std::vector<std::string_view> Components(std::string_view path, std::string_view separators) {
  std::vector<std::string_view> parts;
  while (!path.empty()) {
    const std::size_t end = std::min(path.find_first_of(separators), path.size());
    const std::string_view part = path.substr(0, end);
    path.remove_prefix(std::min(end + 1, path.size()));
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  return parts;
}

std::string Join(std::string_view root, const std::vector<std::string_view>& parts,
                 char separator) {
  std::string joined(root);
  for (std::string_view part : parts) {
    if (joined.empty() || joined.back() != separator) joined += separator;
    joined += part;
  }
  return joined;
}

bool IsDots(std::string_view part) { return part == "." || part == ".."; }

// Join(root, Components(path)) in one pass that copies as it splits, for
// the paths of every picture: those seldom hold a "." or ".." part, which
// takes the long way. separators holds "/", "\\" or both.
std::string JoinComponents(std::string_view root, std::string_view path,
                           std::string_view separators, char separator) {
  const bool slash = separators.find('/') != std::string_view::npos;
  const bool backslash = separators.find('\\') != std::string_view::npos;
  // Each part brings one separator at most, and all but the first take one's place.
  std::string joined(root.size() + path.size() + 1, '\0');
  root.copy(joined.data(), root.size());
  std::size_t end = root.size();
  std::size_t partAt = std::string::npos;  // where the part being copied starts
  const auto partIsDots = [&] {
    return partAt != std::string::npos && IsDots({joined.data() + partAt, end - partAt});
  };
  for (const char c : path) {
    if (c == '/' ? slash : c == '\\' && backslash) {
      if (partIsDots()) return Join(root, Components(path, separators), separator);
      partAt = std::string::npos;
      continue;
    }
    if (partAt == std::string::npos) {
      if (end == 0 || joined[end - 1] != separator) joined[end++] = separator;
      partAt = end;
    }
    joined[end++] = c;
  }
  if (partIsDots()) return Join(root, Components(path, separators), separator);
  joined.resize(end);
  return joined;
}

std::string NormalHostFolder(std::string_view absolute) {
  return JoinComponents("/", absolute, "/", '/');
}

}  // namespace

std::string HostHomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') return home;
  if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr) {
    return user->pw_dir;
  }
  return "/";
}

DriveTable DriveTable::Parse(std::string_view text) {
  DriveTable table;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(';'), text.size());
    const std::string_view entry = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (entry.size() < 3 || !IsAsciiLetter(entry[0]) || entry[1] != '=' || entry[2] != '/') {
      continue;
    }
    const char letter = LowerAscii(entry[0]);
    std::erase_if(table.drives_, [letter](const Drive& d) { return d.letter == letter; });
    table.drives_.push_back({letter, NormalHostFolder(entry.substr(2))});
  }
  std::sort(table.drives_.begin(), table.drives_.end(),
            [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
  return table;
}

DriveTable DriveTable::Default(std::string_view home) {
  const std::string c = (!home.empty() && home[0] == '/') ? std::string(home) : "/";
  return Parse("c=" + c + ";z=/");
}

DriveTable DriveTable::FromEnvironment() {
  if (const char* text = std::getenv("ZORBELLE_DRIVES"); text != nullptr) {
    DriveTable table = Parse(text);
    if (!table.drives_.empty()) return table;
  }
  return Default(HostHomeFolder());
}

const Drive* DriveTable::Find(char letter) const {
  letter = LowerAscii(letter);
  for (const Drive& drive : drives_) {
    if (drive.letter == letter) return &drive;
  }
  return nullptr;
}

bool DriveTable::Has(char letter) const { return Find(letter) != nullptr; }

std::optional<std::string> DriveTable::ToHost(std::string_view drivePath) const {
  if (drivePath.size() < 2 || drivePath[1] != ':') return std::nullopt;
  const Drive* drive = Find(drivePath[0]);
  if (drive == nullptr) return std::nullopt;
  return JoinComponents(drive->root, drivePath.substr(2), "\\/", '/');
}

std::optional<std::string> DriveTable::ToDrive(std::string_view hostPath) const {
  std::string absolute(hostPath);
  if (absolute.empty() || absolute[0] != '/') {
    std::error_code error;
    absolute = (std::filesystem::current_path(error) / absolute).string();
    if (error) return std::nullopt;
  }
  const std::string path = NormalHostFolder(absolute);
  const Drive* best = nullptr;
  for (const Drive& drive : drives_) {
    const std::string_view root = drive.root;
    const bool covers =
        root == "/" || path == root || (path.starts_with(root) && path[root.size()] == '/');
    if (covers && (best == nullptr || root.size() > best->root.size())) best = &drive;
  }
  if (best == nullptr) return std::nullopt;
  const std::string_view rest =
      best->root == "/" ? std::string_view(path) : std::string_view(path).substr(best->root.size());
  // A backslash below the drive's folder would be read as a separator in the
  // drive path and could lead elsewhere ("/tmp/D:\..\..\etc"): no drive
  // path stands for such a name.
  if (rest.find('\\') != std::string_view::npos) return std::nullopt;
  std::string drivePath{UpperAscii(best->letter), ':'};
  return JoinComponents(drivePath + '\\', rest, "/", '\\');
}

}  // namespace zb
