#pragma once

#include <string>

namespace zb {

struct Program;

inline constexpr const char* kDefaultFolderName = "_Zorbelle";
inline constexpr const char* kListFileName = "_gazlist.htm";
inline constexpr const char* kAllFileName = "allfile.txt";

// Unless the output goes beside the searched folder, forces the default
// location and makes sure its folder exists. May end the program.
void PrepareDefaultOutputFolder(Program& program);
// Splits ListPath into OutputFolder and ListFileName; ends SearchRoot in "\".
void DeriveOutputNames(Program& program);
// Asks before deleting; 1 when the file was deleted, 0 when declined.
int ConfirmDeleteFile(Program& program, const std::string& path);
// The same for a file the walk found below folder: the deletion refuses a
// link, anything but a plain file, and a path reached through a linked folder.
int ConfirmDeleteFileBelow(Program& program, const std::string& folder, const std::string& path);
// "C:\_Zorbelle\_gazlist.htm" on the drive of the Windows folder.
std::string DefaultListPath(Program& program);

}  // namespace zb
