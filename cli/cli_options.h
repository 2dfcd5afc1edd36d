#pragma once

#include <map>
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
  // By the option's saved key, each value as the settings file holds it.
  std::map<std::string, std::string> chosen;
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
