#pragma once

#include <string>

#include "platform/dialogs.h"
#include "window/folder_resolution.h"

namespace zb {

struct Program;

// Shows a resolved search folder in the search field and moves the lists to
// it; a rejected one empties the field and leaves the lists alone. False
// when the lists did not move.
bool SelectSearchFolder(Program& program, const ResolvedFolder& resolved);
MessageBox OverwriteQuestion(const std::string& listPath);

void txtOLEKensaku_LostFocus(Program& program);
void txtOLESakusei_LostFocus(Program& program);

}  // namespace zb
