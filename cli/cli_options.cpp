#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <array>
#include <charconv>

#include "form/main_form.h"

namespace zb {
namespace {

// An option that ticks or unticks one check box, or checks one item of the
// option menu. Order matters where one control's change sets another:
// ticking "same folder" ticks relative links, so an explicit choice of the
// latter comes after it.
struct Toggle {
  const char* name;
  std::optional<bool> CliOptions::*option;
  CheckBox MainForm::*box;
  int menuItem;  // of mnuOptionItem, when box is null
  const char* help;

  bool On(const MainForm& f) const {
    return box ? (f.*box).Value() == 1 : f.mnuOptionItem[menuItem].Checked();
  }
  void Set(MainForm& f, bool on) const {
    if (box) {
      (f.*box).SetValue(on ? 1 : 0);
    } else {
      f.mnuOptionItem[menuItem].SetChecked(on);
    }
  }
};

const std::array<Toggle, 12> kToggles{{
    {"gallery", &CliOptions::gallery, &MainForm::chkGazoHtml, -1,
     "Write the gallery pages (--no-gallery: don't)"},
    {"bmp", &CliOptions::bmp, &MainForm::chkBmp, -1, "Include .bmp pictures"},
    {"line-break", &CliOptions::lineBreak, &MainForm::chkHtmlBr, -1,
     "A line break after every picture"},
    {"all-files", &CliOptions::allFiles, &MainForm::chkAllFileList, -1,
     "Write allfile.txt, the list of every file seen"},
    {"same-folder", &CliOptions::sameFolder, &MainForm::chkSameDir, -1,
     "Write the pages into the searched folder (else C:\\_Zorbelle)"},
    {"relative", &CliOptions::relative, &MainForm::chkLelative, -1, "Relative picture links"},
    {"subfolders", &CliOptions::subfolders, &MainForm::chkSubDir, -1, "Search sub-folders too"},
    {"table", &CliOptions::table, &MainForm::chkTable1, -1, "Lay pictures out in a table"},
    {"file-names", &CliOptions::fileNames, &MainForm::chkFileName, -1,
     "File name under each picture (table layout)"},
    {"delete-odd-files", &CliOptions::deleteOddFiles, nullptr, 0,
     "Offer files whose path holds ';' for deletion"},
    {"thumbnails", &CliOptions::thumbnails, nullptr, 2,
     "Write reduced copies into _gazthumb for the reduced pages"},
    {"more-formats", &CliOptions::moreFormats, nullptr, 3,
     "Also take .png, .webp and .avif pictures"},
}};

const std::array<const char*, 3> kOpenIn{"same", "window", "new"};

void AddToggle(CLI::App& app, const Toggle& toggle, CliOptions& o) {
  std::optional<bool>& target = o.*toggle.option;
  app.add_flag_callback(
      std::string("--") + toggle.name, [&target] { target = true; }, toggle.help);
  app.add_flag_callback(std::string("--no-") + toggle.name, [&target] { target = false; });
}

void AddNumber(CLI::App& app, const std::string& name, std::optional<int>& target, int min, int max,
               const std::string& help) {
  const std::string range = std::to_string(min) + "-" + std::to_string(max);
  app.add_option_function<std::string>(
         "--" + name, [&target](const std::string& v) { target = DecimalNumber(v); },
         help + " (" + range + ", decimal)")
      ->check(CLI::Validator(
          [min, max, range](std::string& v) -> std::string {
            const std::optional<int> n = DecimalNumber(v);
            if (n && *n >= min && *n <= max) return {};
            return "not a decimal number from " + range + ": " + v;
          },
          "N"))
      ->type_name("N");
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
  AddNumber(app, "per-page", o.perPage, 1, 1000, "Pictures per page");
  AddNumber(app, "thumbnail", o.thumbnail, 10, 1000, "Side of the reduced-picture box");
  AddNumber(app, "per-row", o.perRow, 1, 30, "Pictures per table row");
  for (const Toggle& toggle : kToggles) AddToggle(app, toggle, o);
  app.add_option_function<std::string>(
         "--font-size", [&o](const std::string& v) { o.fontSize = v; },
         "Font size of the file names under table cells")
      ->type_name("TEXT");
  std::map<std::string, int> windows;
  for (std::size_t i = 0; i < kOpenIn.size(); ++i) windows[kOpenIn[i]] = static_cast<int>(i);
  app.add_option_function<int>(
         "--open-in", [&o](const int& v) { o.openIn = v; },
         "Where a clicked picture opens: same, window or new")
      ->transform(CLI::CheckedTransformer(windows, CLI::ignore_case))
      ->type_name("same|window|new");
  app.add_flag("--open", o.openResults, "Open the results as the window does");
  app.add_flag("--yes", o.yes,
               "Answer Yes/OK to every question but the one about a picture a crashed run left");
  app.add_flag("--delete-crash-picture", o.deleteCrashPicture,
               "Delete the picture a crashed run left, when the start-up question names one");
}

void ApplyCliOptions(const CliOptions& o, MainForm& f) {
  if (o.perPage) f.hscGazoSuu.SetValue(*o.perPage);
  if (o.thumbnail) f.hscThumbnail.SetValue(*o.thumbnail);
  for (const Toggle& toggle : kToggles) {
    if (const std::optional<bool>& on = o.*toggle.option) toggle.Set(f, *on);
  }
  if (o.perRow) f.cmbGazoSuu.SetText(std::to_string(*o.perRow));
  if (o.fontSize) f.cmbFontSize.SetText(*o.fontSize);
  if (o.openIn) f.optWin2[static_cast<std::size_t>(*o.openIn)].SetValue(true);
}

std::string DescribeOptions(const MainForm& f) {
  std::string text;
  for (const Toggle& toggle : kToggles) {
    text += toggle.On(f) ? " --" : " --no-";
    text += toggle.name;
  }
  text += " --per-page " + std::to_string(f.hscGazoSuu.Value());
  text += " --thumbnail " + std::to_string(f.hscThumbnail.Value());
  text += " --per-row " + f.cmbGazoSuu.Text();
  text += " --font-size '" + f.cmbFontSize.Text() + "'";
  std::size_t openIn = 0;
  while (openIn + 1 < kOpenIn.size() && !f.optWin2[openIn].Value()) ++openIn;
  text += std::string(" --open-in ") + kOpenIn[openIn];
  return text.substr(1);
}

}  // namespace zb
