#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <charconv>

#include "form/form_options.h"
#include "settings/option_values.h"

namespace zb {
namespace {

bool IsToggle(const FormOption& option) {
  return std::holds_alternative<CheckBox MainForm::*>(option.control) ||
         std::holds_alternative<OptionMenuItem>(option.control);
}

std::string ToggleText(const FormOption& option, bool on) {
  if (std::holds_alternative<OptionMenuItem>(option.control)) return on ? "True" : "False";
  return on ? "1" : "0";
}

void AddToggle(CLI::App& app, const FormOption& option, CliOptions& o) {
  const std::string name = option.flag;
  app.add_flag_callback(
      "--" + name, [&o, &option] { o.chosen[option.key] = ToggleText(option, true); }, option.help);
  app.add_flag_callback("--no-" + name,
                        [&o, &option] { o.chosen[option.key] = ToggleText(option, false); });
}

void AddNumber(CLI::App& app, const FormOption& option, CliOptions& o) {
  const int min = option.min;
  const int max = option.max;
  const std::string range = std::to_string(min) + "-" + std::to_string(max);
  app.add_option_function<std::string>(
         std::string("--") + option.flag,
         [&o, &option](const std::string& v) {
           o.chosen[option.key] = std::to_string(*DecimalNumber(v));
         },
         std::string(option.help) + " (" + range + ", decimal)")
      ->check(CLI::Validator(
          [min, max, range](std::string& v) -> std::string {
            const std::optional<int> n = DecimalNumber(v);
            if (n && *n >= min && *n <= max) return {};
            return "not a decimal number from " + range + ": " + v;
          },
          "N"))
      ->type_name("N");
}

void AddText(CLI::App& app, const FormOption& option, CliOptions& o) {
  app.add_option_function<std::string>(
         std::string("--") + option.flag,
         [&o, &option](const std::string& v) { o.chosen[option.key] = v; }, option.help)
      ->type_name("TEXT");
}

void AddOpenIn(CLI::App& app, const FormOption& option, CliOptions& o) {
  std::map<std::string, int> buttons;
  for (std::size_t i = 0; i < kOpenInNames.size(); ++i) {
    buttons[kOpenInNames[i]] = static_cast<int>(i);
  }
  app.add_option_function<int>(
         std::string("--") + option.flag,
         [&o, &option](const int& v) { o.chosen[option.key] = std::to_string(v); }, option.help)
      ->transform(CLI::CheckedTransformer(buttons, CLI::ignore_case))
      ->type_name("same|window|new");
}

}  // namespace

std::optional<int> DecimalNumber(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  if (text.empty() || text[0] < '0' || text[0] > '9') return std::nullopt;
  const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

void AddCliOptions(CLI::App& app, CliOptions& o) {
  app.add_option("FOLDER", o.folder, "Folder to search (host path or drive path such as C:\\pics)")
      ->required()
      ->check(CLI::Validator(
          [](std::string& v) -> std::string { return v.empty() ? "FOLDER is empty" : ""; },
          "not empty"));
  for (const FormOption& option : FormOptions()) {
    if (!option.flag) continue;
    if (IsToggle(option)) {
      AddToggle(app, option, o);
    } else if (option.IsNumber()) {
      AddNumber(app, option, o);
    } else if (std::holds_alternative<OpenInButtons>(option.control)) {
      AddOpenIn(app, option, o);
    } else {
      AddText(app, option, o);
    }
  }
  app.add_flag("--open", o.openResults, "Open the results as the window does");
  app.add_flag("--yes", o.yes,
               "Answer Yes/OK to every question but the one about a picture a crashed run left");
  app.add_flag("--delete-crash-picture", o.deleteCrashPicture,
               "Delete the picture a crashed run left, when the start-up question names one");
}

void ApplyCliOptions(const CliOptions& o, MainForm& f) {
  for (const FormOption* option : FormOptionsInSettingOrder()) {
    const auto chosen = o.chosen.find(option->key);
    if (chosen != o.chosen.end()) SetFromStoredText(*option, f, chosen->second);
  }
}

std::string DescribeOptions(const MainForm& f) {
  std::string text;
  for (const FormOption& option : FormOptions()) {
    if (!option.flag) continue;
    const std::string value = StoredText(option, f);
    if (IsToggle(option)) {
      text += (value == ToggleText(option, true) ? " --" : " --no-") + std::string(option.flag);
    } else if (option.IsNumber()) {
      text += " --" + std::string(option.flag) + " " + value;
    } else if (std::holds_alternative<OpenInButtons>(option.control)) {
      text += " --" + std::string(option.flag) + " " + kOpenInNames[std::stoul(value)];
    } else {
      text += " --" + std::string(option.flag) + " '" + value + "'";
    }
  }
  return text.substr(1);
}

}  // namespace zb
