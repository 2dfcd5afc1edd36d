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
// Turns a typed, dropped or chosen path into a folder.
ResolvedFolder ResolveFolder(Program& program, const std::string& path);
ResolvedFolder ResolveParentFolder(Program& program, const std::string& path);
// The list page beside the folder: "D:\pics" gives "D:\pics\_gazlist.htm".
std::string SameFolderListPath(const std::string& folder);
// Moves the folder list to a folder given as a drive path; false when it is
// no folder (the list stays where it was).
bool MoveFolderList(Program& program, const std::string& folder);

void Drive1_Change(Program& program);
void Dir1_Change(Program& program);
void chkSameDir_Click(Program& program);
void txtOLESakusei_Change(Program& program);

}  // namespace zb
