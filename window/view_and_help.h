#pragma once

#include <functional>

namespace zb {

struct Program;

// Opens the list page and, when written, the all-file list; the guide arrow
// goes back to Start.
void cmdView_Click(Program& program);
// 0: the list page, 1: the all-file list, each as the View button would.
void mnuViewItem_Click(Program& program, int index);
// 0: home page, 1: the About box (showAbout runs it modally; the view
// supplies it, and without one nothing happens), 2: the read-me.
void mnuHelpItem_Click(Program& program, int index, const std::function<void()>& showAbout);
void cmdInternet_Click(Program& program);
// "readme.txt" in the program's own folder, not the working folder; where
// the program is installed, in its document folder; else a message says so.
void OpenReadme(Program& program);

}  // namespace zb
