#pragma once

#include <string>

namespace zb {

struct Program;

enum class Resolution { kRejected = 0, kFolder = 1, kParentOfFile = 2 };

struct ResolvedFolder {
  Resolution code = Resolution::kRejected;
  std::string folder;
};

// 1-based position of the last ch in text (letter case ignored); 0 if none.
int FindLastChar(const std::string& text, char ch);
// Turns a typed, dropped or chosen path into a folder: an existing folder
// without its final "\", or the folder (with its "\") that holds a file,
// existing or not.
ResolvedFolder ResolveFolder(Program& program, const std::string& path);
ResolvedFolder ResolveParentFolder(Program& program, const std::string& path);

}  // namespace zb
