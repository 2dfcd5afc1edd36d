#pragma once

#include <array>
#include <cstddef>

#include "form/controls.h"

namespace zb {

// The items of the option menu, by their place in it.
enum OptionMenuItem : std::size_t {
  kOptionDeleteOddFiles,
  kOptionWhiteBackground,
  kOptionThumbnails,
  kOptionMoreFormats,
};

// The main window as the run and the handlers see it: its controls, by name.
struct MainForm {
  MainForm();

  FormWindow Window;
  static constexpr int kClientWidth = 8625;   // twips
  static constexpr int kClientHeight = 6405;  // twips

  // Folder to search.
  Frame Frame6;
  TextBox txtOLEKensaku;
  DriveList Drive1;
  PathList Dir1;
  PathList File1;
  CheckBox chkSubDir;

  // Folder to write to.
  Frame Frame5;
  CheckBox chkSameDir;
  CheckBox chkLelative;
  TextBox txtOLESakusei;
  CommandButton cmdWriteDirSet;

  // Options, on three tabs.
  TabControl SSTab1;
  CheckBox chkGazoHtml;
  CheckBox chkBmp;
  CheckBox chkHtmlBr;
  Frame Frame1;
  ScrollBar hscGazoSuu;
  Label lGazosu;
  Frame Frame4;
  ScrollBar hscThumbnail;
  Label LblThumbnail;
  Frame frmOptWin2;
  std::array<OptionButton, 3> optWin2;
  CheckBox chkTable1;
  Frame frmTable1;
  Label Label2;
  ComboBox cmbGazoSuu;
  Label Label3;
  ComboBox cmbFontSize;
  CheckBox chkFileName;
  CheckBox chkAllFileList;
  Label Label8;
  CheckBox chkXLS2PRN;

  // Operation.
  Frame Frame3;
  CommandButton cmdStart;
  CommandButton cmdStop;
  CommandButton cmdView;
  std::array<Label, 2> lblAnnai;

  // Status.
  Frame Frame7;
  CheckBox chkSpeed;
  Label Label1;
  Label LblDirMax;
  Label Label7;
  Label LblFileCount;
  Label LblComment;

  CommandButton cmdInternet;
  PictureBox Picture1;
  Label lblVersion;
  Label Label4;

  // Menus; index 2 of the file menu is the separator.
  MenuItem mnuFile, mnuView, mnuRun, mnuOption, mnuHelp;
  std::array<MenuItem, 4> mnuFileItem;
  std::array<MenuItem, 2> mnuViewItem;
  std::array<MenuItem, 2> mnuRunItem;
  // Items 2 and 3 are options beyond the original two: thumbnails and the
  // newer picture formats.
  std::array<MenuItem, 4> mnuOptionItem;
  std::array<MenuItem, 3> mnuHelpItem;

 private:
  void Arrange();
  void Decorate();
};

// The labels whose text colour follows the background, in the order they
// are painted.
std::array<Label*, 7> ThemeLabels(MainForm& form);

}  // namespace zb
