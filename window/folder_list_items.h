#pragma once

#include <cstddef>
#include <string>

namespace zb {

struct Program;
class PathList;

// A folder as the folder list shows it: "C:\" for a root, else no final
// "\", with "." and ".." settled (never above the root) and the drive letter
// in capitals. Empty for a text that is no drive path.
std::string FolderListForm(const std::string& folder);

// The drive list offers the host's drives ("c:", "z:", ...).
void FillDriveList(Program& program);
// The folder list: the folders from the root down to its path, then the
// sub-folders of its path, all as full paths.
void FillFolderList(Program& program);
// The file list: the names of the plain files in its folder.
void FillFileList(Program& program);

// How one item of the folder list looks: indented by its depth below the
// root, an open folder for the path and the folders above it.
struct FolderListRow {
  int depth = 0;
  std::string name;
  bool open = false;
};
FolderListRow DescribeFolderListItem(const PathList& list, std::size_t index);

}  // namespace zb
