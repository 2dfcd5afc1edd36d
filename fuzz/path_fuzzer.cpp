// Hostile paths, as typed, dropped or found on disk. The first line is a
// drive table ("c=/srv/photos;z=/"); a line "d PATH", "f PATH" or "u PATH"
// adds a folder, a file or an entry whose attributes cannot be read to an
// in-memory file system; every other line is a path to look at.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/require.h"
#include "platform/fake/fake_platform.h"
#include "platform/posix/drive_table.h"
#include "text/letter_case.h"
#include "window/folder_resolution.h"
#include "window/program.h"

namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines;
}

// A host folder as the table keeps it: absolute, no empty, "." or ".." step,
// no final "/" except for "/" itself.
bool IsNormalHostPath(std::string_view path) {
  if (path == "/") return true;
  if (path.empty() || path[0] != '/' || path.back() == '/') return false;
  for (const std::string_view step : {"//", "/./", "/../"}) {
    if (path.find(step) != std::string_view::npos) return false;
  }
  return !path.ends_with("/.") && !path.ends_with("/..");
}

void CheckTable(const zb::DriveTable& table) {
  char previous = 0;
  for (const zb::Drive& drive : table.drives()) {
    zb::Require(drive.letter >= 'a' && drive.letter <= 'z' && drive.letter > previous);
    zb::Require(IsNormalHostPath(drive.root));
    previous = drive.letter;
  }
}

// Drive path and host path map onto each other: what one gives, the other
// takes back to the same place.
void CheckMapping(const zb::DriveTable& table, const std::string& text) {
  if (const auto host = table.ToHost(text)) {
    zb::Require(IsNormalHostPath(*host));
    const auto drive = table.ToDrive(*host);
    zb::Require(drive.has_value() && table.ToHost(*drive) == *host);
  }
  // A host name holding "\" has no drive path of its own (the walk passes
  // such names over), so only the others must come back.
  if (text.find('\\') != std::string::npos) return;
  if (const auto drive = table.ToDrive(text)) {
    const auto host = table.ToHost(*drive);
    zb::Require(host.has_value() && table.ToDrive(*host) == *drive);
  }
}

void CheckLastChar(const std::string& text, char ch) {
  const int found = zb::FindLastChar(text, ch);
  zb::Require(found >= 0 && static_cast<std::size_t>(found) <= text.size());
  const std::string_view wanted(&ch, 1);
  const auto at = [&](std::size_t i) { return std::string_view(text).substr(i, 1); };
  if (found > 0) zb::Require(zb::EqualsIgnoreCase(at(static_cast<std::size_t>(found) - 1), wanted));
  for (std::size_t i = static_cast<std::size_t>(found); i < text.size(); ++i) {
    zb::Require(!zb::EqualsIgnoreCase(at(i), wanted));
  }
}

// What the path fields accept names something that is there.
void CheckResolved(zb::Program& program, const std::string& path) {
  const zb::ResolvedFolder resolved = zb::ResolveFolder(program, path);
  zb::FileSystem& files = program.platform.files;
  switch (resolved.code) {
    case zb::Resolution::kRejected:
      zb::Require(resolved.folder.empty());
      break;
    case zb::Resolution::kFolder: {
      const auto attributes = files.GetAttributes(resolved.folder);
      zb::Require(attributes && (*attributes & zb::kAttrDirectory) &&
                  !resolved.folder.ends_with('\\'));
      break;
    }
    case zb::Resolution::kParentOfFile:
      zb::Require(resolved.folder.ends_with('\\') && path.starts_with(resolved.folder));
      zb::Require(files.GetAttributes(resolved.folder).has_value());
      break;
  }
}

void AddEntry(zb::FakeFileSystem& files, const std::string& line) {
  const std::string path = line.substr(2);
  try {
    if (line[0] == 'd') files.AddFolder(path);
    if (line[0] == 'f') files.AddFile(path);
    if (line[0] == 'u') files.AddUnreadable(path);
  } catch (const std::invalid_argument&) {
    // No place for it in the tree: the tree is built from what fits.
  }
}

bool IsEntryLine(const std::string& line) {
  return line.size() > 2 && line[1] == ' ' && (line[0] == 'd' || line[0] == 'f' || line[0] == 'u');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> lines =
      Lines(std::string_view(reinterpret_cast<const char*>(data), size));
  if (lines.empty()) return 0;
  const zb::DriveTable table = zb::DriveTable::Parse(lines[0]);
  CheckTable(table);

  zb::FakePlatform host;
  zb::Program program(host.platform);
  std::vector<std::string> paths;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (IsEntryLine(lines[i])) {
      AddEntry(host.files, lines[i]);
    } else {
      paths.push_back(lines[i]);
    }
  }
  for (const std::string& path : paths) {
    CheckMapping(table, path);
    CheckLastChar(path, '\\');
    CheckLastChar(path, path.empty() ? '.' : path[0]);
    CheckResolved(program, path);
  }
  return 0;
}
