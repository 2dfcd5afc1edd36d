#pragma once

#include <string>

#include "platform/dialogs.h"

namespace zb {

struct Program;

// The file dialog's request: HTML files in a folder that exists, opening at
// startAt. Choosing a file writes nothing, so an existing one is taken
// without a question.
OpenFileRequest ListFileRequest(const std::string& startAt);
// The chosen path, or the empty string when the dialog was cancelled.
std::string BrowseForFile(Program& program, const std::string& startAt);

// A chosen list file is taken as it is; leaving the field checks it.
void cmdWriteDirSet_Click(Program& program);
// 0 chooses the search folder, 1 the list file, 3 closes the window.
void mnuFileItem_Click(Program& program, int index);

}  // namespace zb
