#include "form/form_options.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zb {
namespace {

const std::array<FormOption, 20> kFormOptions{{
    {"chkGazoHtml", &MainForm::chkGazoHtml, "1", false, nullptr, "gallery",
     "Write the gallery pages (--no-gallery: don't)", 0, 0, RunLock::kAlways},
    {"chkBmp", &MainForm::chkBmp, "1", false, nullptr, "bmp", "Include .bmp pictures", 0, 0,
     RunLock::kWithGallery},
    {"chkHtmlBr", &MainForm::chkHtmlBr, "0", false, nullptr, "line-break",
     "A line break after every picture", 0, 0, RunLock::kWithGallery},
    {"chkAllFileList", &MainForm::chkAllFileList, "0", false, nullptr, "all-files",
     "Write allfile.txt, the list of every file seen", 0, 0, RunLock::kAlways},
    // Ticking "same folder" ticks relative links too.
    {"chkLelative", &MainForm::chkLelative, "1", false, "chkSameDir", "relative",
     "Relative picture links", 0, 0, RunLock::kAlways},
    {"chkSameDir", &MainForm::chkSameDir, "1", false, nullptr, "same-folder",
     "Write the pages into the searched folder (else C:\\_Zorbelle)", 0, 0, RunLock::kAlways},
    {"chkSubDir", &MainForm::chkSubDir, "1", false, nullptr, "subfolders", "Search sub-folders too",
     0, 0, RunLock::kAlways},
    {"hscGazoSuu", &MainForm::hscGazoSuu, "100", false, nullptr, "per-page", "Pictures per page", 1,
     1000, RunLock::kAlways},
    {"hscThumbnail", &MainForm::hscThumbnail, "100", false, nullptr, "thumbnail",
     "Side of the reduced-picture box", 10, 1000, RunLock::kAlways},
    {"txtOLEKensaku", &MainForm::txtOLEKensaku, nullptr, false, nullptr, nullptr, nullptr, 0, 0,
     RunLock::kAlways},
    {"txtOLESakusei", &MainForm::txtOLESakusei, nullptr, false, nullptr, nullptr, nullptr, 0, 0,
     RunLock::kWithoutSameFolderPages},
    {"mnuOptionItem0", kOptionDeleteOddFiles, "False", false, nullptr, "delete-odd-files",
     "Offer files whose path holds ';' for deletion", 0, 0, RunLock::kNever},
    {"mnuOptionItem1", kOptionWhiteBackground, "False", false, nullptr, nullptr, nullptr, 0, 0,
     RunLock::kNever},
    {"chkTable1", &MainForm::chkTable1, "0", false, nullptr, "table", "Lay pictures out in a table",
     0, 0, RunLock::kWithGallery},
    {"cmbFontSize", &MainForm::cmbFontSize, "1", false, nullptr, "font-size",
     "Font size of the file names under table cells", 0, 0, RunLock::kWithGalleryTable},
    {"cmbGazoSuu", &MainForm::cmbGazoSuu, "3", false, nullptr, "per-row", "Pictures per table row",
     1, 30, RunLock::kWithGalleryTable},
    {"chkFileName", &MainForm::chkFileName, "0", false, nullptr, "file-names",
     "File name under each picture (table layout)", 0, 0, RunLock::kWithGalleryTable},
    {"optWin2", OpenInButtons{}, "1", false, nullptr, "open-in",
     "Where a clicked picture opens: same, window or new", 0, 0, RunLock::kWithGallery},
    {"mnuOptionItem2", kOptionThumbnails, "False", true, nullptr, "thumbnails",
     "Write reduced copies into _gazthumb for the reduced pages", 0, 0, RunLock::kAlways},
    {"mnuOptionItem3", kOptionMoreFormats, "False", true, nullptr, "more-formats",
     "Also take .png, .webp, .avif, .heic and .heif pictures", 0, 0, RunLock::kAlways},
}};

std::vector<const FormOption*> InSettingOrder() {
  std::vector<const FormOption*> order;
  std::vector<const FormOption*> waiting;
  for (const FormOption& option : kFormOptions) {
    if (option.setAfter) {
      waiting.push_back(&option);
      continue;
    }
    order.push_back(&option);
    for (auto it = waiting.begin(); it != waiting.end();) {
      if (std::string_view((*it)->setAfter) == option.key) {
        order.push_back(*it);
        it = waiting.erase(it);
      } else {
        ++it;
      }
    }
  }
  order.insert(order.end(), waiting.begin(), waiting.end());
  return order;
}

}  // namespace

std::span<const FormOption> FormOptions() { return kFormOptions; }

std::vector<Control*> ControlsOf(const FormOption& option, MainForm& f) {
  return std::visit(
      Overloaded{
          [&f](OptionMenuItem item) -> std::vector<Control*> { return {&f.mnuOptionItem[item]}; },
          [&f](OpenInButtons) -> std::vector<Control*> {
            return {&f.optWin2[0], &f.optWin2[1], &f.optWin2[2], &f.frmOptWin2};
          },
          [&f](auto member) -> std::vector<Control*> { return {&(f.*member)}; },
      },
      option.control);
}

const std::vector<const FormOption*>& FormOptionsInSettingOrder() {
  static const std::vector<const FormOption*> order = InSettingOrder();
  return order;
}

}  // namespace zb
