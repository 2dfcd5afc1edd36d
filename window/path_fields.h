#pragma once

#include <string>

namespace zb {

struct Program;

// The list page beside the folder: "D:\pics" gives "D:\pics\_gazlist.htm".
std::string SameFolderListPath(const std::string& folder);
// Moves the drive and folder lists to a folder given as a drive path; false
// when it is no folder (the lists stay where they were).
bool MoveFolderList(Program& program, const std::string& folder);
// The lists read their folders again (a folder may have come or gone), and
// everything that follows the folder list is brought up to date.
void RefreshFolderLists(Program& program);
// As the window is made: the drives of the host, the lists on the root of the
// Windows folder's drive.
void OpenFolderLists(Program& program);

void Drive1_Change(Program& program);
void Dir1_Change(Program& program);
void File1_Change(Program& program);
void chkSameDir_Click(Program& program);
void txtOLESakusei_Change(Program& program);

}  // namespace zb
