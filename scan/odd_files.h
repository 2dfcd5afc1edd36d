#pragma once

#include <string>

namespace zb {

struct RunSession;

// Whether the odd-file deletion may offer this file: it must lie below the
// searched folder, be reached through real folders only, be a plain file,
// and not be one of the program's own files in the output folder (list
// page, allfile.txt, pages).
bool MayOfferForDeletion(RunSession& session, const std::string& path);

}  // namespace zb
