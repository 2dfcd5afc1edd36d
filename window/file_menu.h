#pragma once

#include <string>

#include "platform/dialogs.h"

namespace zb {

struct Program;

// Only a file the run will write over is worth a question when it exists;
// a file that merely points at its folder is not.
enum class FileUse { kWritten, kOnlyPointsAtFolder };

// The file dialog's request: HTML files in a folder that exists, asking
// before an existing file is chosen for writing.
OpenFileRequest ListFileRequest(FileUse use);
// The chosen path, or the empty string when the dialog was cancelled.
std::string BrowseForFile(Program& program, FileUse use);

// A chosen list file is taken as it is; leaving the field checks it.
void cmdWriteDirSet_Click(Program& program);
// 0 chooses the search folder, 1 the list file, 3 closes the window.
void mnuFileItem_Click(Program& program, int index);

}  // namespace zb
