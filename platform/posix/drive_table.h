#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zb {

// A drive letter and the host folder it stands for.
struct Drive {
  char letter;       // lower case
  std::string root;  // absolute, no trailing "/" (except "/" itself)
};

// The host seen as Windows drives, the way Wine does it.
class DriveTable {
 public:
  // "c=/srv/photos;z=/"; entries that are not a letter, "=" and an absolute
  // folder are skipped; a later entry for a letter replaces an earlier one.
  static DriveTable Parse(std::string_view text);
  // C: is the home folder, Z: is "/".
  static DriveTable Default(std::string_view home);
  // ZORBELLE_DRIVES when it names at least one drive, else the default.
  static DriveTable FromEnvironment();

  // Sorted by letter; never empty when built by FromEnvironment or Default.
  const std::vector<Drive>& drives() const { return drives_; }
  bool Has(char letter) const;

  // "C:\pics\a.jpg" -> "/srv/photos/pics/a.jpg". "." and ".." are settled
  // here and never climb above the drive's root. Empty for an unknown drive
  // or a text that is no drive path.
  std::optional<std::string> ToHost(std::string_view drivePath) const;
  // The drive path of a host path through the drive whose folder is its
  // longest prefix; a relative path counts from the working folder.
  std::optional<std::string> ToDrive(std::string_view hostPath) const;

 private:
  const Drive* Find(char letter) const;
  std::vector<Drive> drives_;
};

// $HOME, else the user's home folder from the password database, else "/".
std::string HostHomeFolder();

}  // namespace zb
