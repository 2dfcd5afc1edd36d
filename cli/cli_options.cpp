#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <map>

#include "window/main_form.h"

namespace zb {
namespace {

void AddToggle(CLI::App& app, const std::string& name, std::optional<bool>& target,
               const std::string& help) {
  app.add_flag_callback(
      "--" + name, [&target] { target = true; }, help);
  app.add_flag_callback("--no-" + name, [&target] { target = false; });
}

void AddNumber(CLI::App& app, const std::string& name, std::optional<int>& target, int min, int max,
               const std::string& help) {
  app.add_option_function<int>(
         "--" + name, [&target](const int& v) { target = v; }, help)
      ->check(CLI::Range(min, max))
      ->type_name("N");
}

void SetCheck(CheckBox& box, const std::optional<bool>& on) {
  if (on) box.SetValue(*on ? 1 : 0);
}

}  // namespace

void AddCliOptions(CLI::App& app, CliOptions& o) {
  app.add_option("FOLDER", o.folder, "Folder to search (host path or drive path such as C:\\pics)")
      ->required();
  AddNumber(app, "per-page", o.perPage, 1, 1000, "Pictures per page (1-1000)");
  AddNumber(app, "thumbnail", o.thumbnail, 10, 1000, "Side of the reduced-picture box (10-1000)");
  AddToggle(app, "gallery", o.gallery, "Write the gallery pages (--no-gallery: don't)");
  AddToggle(app, "bmp", o.bmp, "Include .bmp pictures");
  AddToggle(app, "line-break", o.lineBreak, "A line break after every picture");
  AddToggle(app, "all-files", o.allFiles, "Write allfile.txt, the list of every file seen");
  AddToggle(app, "relative", o.relative, "Relative picture links");
  AddToggle(app, "same-folder", o.sameFolder,
            "Write the pages into the searched folder (else C:\\_Zorbelle)");
  AddToggle(app, "subfolders", o.subfolders, "Search sub-folders too");
  AddToggle(app, "table", o.table, "Lay pictures out in a table");
  AddNumber(app, "per-row", o.perRow, 1, 30, "Pictures per table row (1-30)");
  app.add_option_function<std::string>(
         "--font-size", [&o](const std::string& v) { o.fontSize = v; },
         "Font size of the file names under table cells")
      ->type_name("TEXT");
  AddToggle(app, "file-names", o.fileNames, "File name under each picture (table layout)");
  const std::map<std::string, int> windows{{"same", 0}, {"window", 1}, {"new", 2}};
  app.add_option_function<int>(
         "--open-in", [&o](const int& v) { o.openIn = v; },
         "Where a clicked picture opens: same, window or new")
      ->transform(CLI::CheckedTransformer(windows, CLI::ignore_case))
      ->type_name("same|window|new");
  AddToggle(app, "delete-odd-files", o.deleteOddFiles,
            "Offer files whose path holds ';' for deletion");
  AddToggle(app, "thumbnails", o.thumbnails,
            "Write reduced copies into _gazthumb for the reduced pages");
  AddToggle(app, "more-formats", o.moreFormats, "Also take .png, .webp and .avif pictures");
  app.add_flag("--open", o.openResults, "Open the results as the window does");
  app.add_flag("--yes", o.yes, "Answer Yes/OK to every question");
}

void ApplyCliOptions(const CliOptions& o, MainForm& f) {
  if (o.perPage) f.hscGazoSuu.SetValue(*o.perPage);
  if (o.thumbnail) f.hscThumbnail.SetValue(*o.thumbnail);
  SetCheck(f.chkGazoHtml, o.gallery);
  SetCheck(f.chkBmp, o.bmp);
  SetCheck(f.chkHtmlBr, o.lineBreak);
  SetCheck(f.chkAllFileList, o.allFiles);
  SetCheck(f.chkSameDir, o.sameFolder);
  // Ticking "same folder" ticks relative links, so an explicit choice comes after.
  SetCheck(f.chkLelative, o.relative);
  SetCheck(f.chkSubDir, o.subfolders);
  SetCheck(f.chkTable1, o.table);
  if (o.perRow) f.cmbGazoSuu.SetText(std::to_string(*o.perRow));
  if (o.fontSize) f.cmbFontSize.SetText(*o.fontSize);
  SetCheck(f.chkFileName, o.fileNames);
  if (o.openIn) f.optWin2[static_cast<std::size_t>(*o.openIn)].SetValue(true);
  if (o.deleteOddFiles) f.mnuOptionItem[0].SetChecked(*o.deleteOddFiles);
  if (o.thumbnails) f.mnuOptionItem[2].SetChecked(*o.thumbnails);
  if (o.moreFormats) f.mnuOptionItem[3].SetChecked(*o.moreFormats);
}

}  // namespace zb
