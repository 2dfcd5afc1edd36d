#pragma once

#include <string>

#include "context/output_names.h"

namespace zb {

class System;
struct RunSession;

// Unless the output goes beside the searched folder, forces the default
// location and makes sure its folder exists. May end the program.
void PrepareDefaultOutputFolder(RunSession& session);
// Splits ListPath into OutputFolder and ListFileName; ends SearchRoot in "\".
void DeriveOutputNames(RunSession& session);
// "C:\_Zorbelle\_gazlist.htm" on the drive of the Windows folder.
std::string DefaultListPath(System& system);

}  // namespace zb
