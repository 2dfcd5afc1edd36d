#pragma once

#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace zb {

struct MainForm;

// What the command line asks for; each option set here sets one control.
struct CliOptions {
  std::string folder;
  std::optional<int> perPage, thumbnail, perRow;
  std::optional<std::string> fontSize;
  std::optional<int> openIn;  // optWin2 index
  std::optional<bool> gallery, bmp, lineBreak, allFiles, relative, sameFolder, subfolders, table,
      fileNames, deleteOddFiles;
  bool openResults = false;
  bool yes = false;
  bool deleteCrashPicture = false;
};

void AddCliOptions(CLI::App& app, CliOptions& options);
// Sets the chosen controls, each through its ordinary change.
void ApplyCliOptions(const CliOptions& options, MainForm& form);
// The options as the controls stand, in command-line form.
std::string DescribeOptions(const MainForm& form);

// "010" is ten; signs, "0x10", blanks and anything but digits are refused.
std::optional<int> DecimalNumber(const std::string& text);

}  // namespace zb
