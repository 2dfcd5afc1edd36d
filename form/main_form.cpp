#include "form/main_form.h"

#include <initializer_list>

#include "form/design_colors.h"

namespace zb {
namespace {

constexpr FontStyle kFrameFont{9.75, true};
constexpr FontStyle kButtonFont{12, true};

void Menu(MenuItem& item, const char* caption, const char* shortcut) {
  item.SetCaption(caption);
  item.SetShortcut(shortcut);
}

}  // namespace

MainForm::MainForm() {
  Frame6.SetCaption("ファイル検索フォルダ");
  Frame5.SetCaption("ファイル作成フォルダ");
  Frame3.SetCaption("　　★★　操作　★★　　");
  Frame7.SetCaption("状況");
  for (Frame* f : {&Frame6, &Frame5, &Frame3, &Frame7}) f->SetForeColor(kDarkBlue);

  txtOLEKensaku.SetToolTip("画像を検索するフォルダを指定します。ドラッグ＆ドロップ対応。");
  txtOLEKensaku.SetAcceptsDrops(true);
  Drive1.SetToolTip("画像を検索するフォルダを指定します。");
  Dir1.SetToolTip("画像を検索するフォルダを指定します。");
  chkSubDir.SetCaption("ｻﾌﾞﾌｫﾙﾀﾞも検索");
  chkSubDir.SetToolTip("サブフォルダの検索を可能にします。");

  chkSameDir.SetCaption("検索フォルダと同じ");
  chkSameDir.SetToolTip("ファイル検索開始フォルダと同じフォルダに検索結果ＨＴＭＬを作成します。");
  chkLelative.SetCaption("相対パスで作成");
  chkLelative.SetToolTip(
      "画像リンクを相対パスで記述します。ＨＴＭＬファイルと画像をまとめて保存すると"
      "きに有効です。ファイル出力フォルダを「検索フォルダと同じ」にしたときに有効です。");
  txtOLESakusei.SetToolTip(
      "検索結果ＨＴＭＬを作成するフォルダを指定します。ドラッグ＆ドロップ対応");
  txtOLESakusei.SetAcceptsDrops(true);
  cmdWriteDirSet.SetCaption("▼");
  cmdWriteDirSet.SetToolTip("フォルダをリストから選択。ファイル名も入れてください。");

  SSTab1.SetTabs({"画像１", "画像２", "他"});
  SSTab1.SetToolTip("オプションを選択します。");
  chkGazoHtml.SetCaption("画像閲覧");
  chkGazoHtml.SetToolTip("画像を検索します。");
  chkBmp.SetCaption("(*.bmp)");
  chkBmp.SetToolTip("ビットマップを検索します。ＩＥはビットマップを表示できます。");
  chkHtmlBr.SetCaption("改行");
  chkHtmlBr.SetToolTip("画面１つごとに改行します。");
  Frame1.SetCaption("１ページ画像数");
  Frame1.SetToolTip("１ページに表示する画像数を指定します。");
  hscGazoSuu.Configure(1, 1000, 1, 10, 100);
  lGazosu.SetCaption("100");
  Frame4.SetCaption("縮小画像サイズ");
  Frame4.SetToolTip("画面を縮小表示します。画像の最大の大きさを指定できます。");
  hscThumbnail.Configure(10, 1000, 10, 10, 100);
  LblThumbnail.SetCaption("100");

  frmOptWin2.SetCaption("１画像表示方式");
  optWin2[0].SetCaption("同窓");
  optWin2[1].SetCaption("別窓<標準>");
  optWin2[2].SetCaption("毎回別窓");
  for (OptionButton& o : optWin2) o.JoinGroup({&optWin2[0], &optWin2[1], &optWin2[2]});
  optWin2[1].SetValue(true);
  chkTable1.SetCaption("画像枠");
  Label2.SetCaption("画像数");
  cmbGazoSuu.SetFixedList(true);
  Label3.SetCaption("ﾌｧｲﾙ名ﾌｫﾝﾄｻｲｽﾞ");
  chkFileName.SetCaption("画像ファイル名付加");
  for (Control* c : {static_cast<Control*>(&frmTable1), static_cast<Control*>(&cmbGazoSuu),
                     static_cast<Control*>(&cmbFontSize), static_cast<Control*>(&chkFileName)}) {
    c->SetEnabled(false);
  }
  chkAllFileList.SetCaption("全ファイルリスト");
  chkAllFileList.SetToolTip("全ファイルリストを出力します。");
  Label8.SetCaption("(allfile.txt)");
  chkXLS2PRN.SetCaption("XLS2TXT");
  chkXLS2PRN.SetToolTip(
      "ｴｸｾﾙﾌｧｲﾙを見つけたら、テキストを抽出しページごとに出力します。開発者用のおまけ。");
  chkXLS2PRN.SetVisible(false);
  for (CheckBox* c : {&chkGazoHtml, &chkBmp, &chkHtmlBr, &chkTable1, &chkFileName, &chkAllFileList,
                      &chkXLS2PRN}) {
    c->SetForeColor(kNavy);
  }

  cmdStart.SetCaption("開始");
  cmdStart.SetToolTip("画像検索処理を開始します。");
  cmdStop.SetCaption("中止");
  cmdStop.SetToolTip("画像検索処理を中止します。");
  cmdView.SetCaption("閲覧");
  cmdView.SetToolTip("検索結果を表示します。");
  for (Label& a : lblAnnai) a.SetCaption("▼");

  chkSpeed.SetCaption("高速処理");
  Label1.SetCaption("DirRankMax");
  LblDirMax.SetCaption("0");
  Label7.SetCaption("FileCount");
  LblFileCount.SetCaption("0");
  LblComment.SetCaption(
      "★Zorbelle♪　ご使用ありがとうございます。　ご使用のご感想などをお待ちしております。"
      "       e-mai : zorbelle@users.invalid");
  for (Label* l : {&Label7, &Label1, &LblDirMax, &LblComment, &lblAnnai[0], &lblAnnai[1]}) {
    l->SetForeColor(kDarkBlue);
  }
  LblFileCount.SetForeColor(kNavy);

  cmdInternet.SetCaption("Internet");
  Picture1.SetVisible(false);
  lblVersion.SetVisible(false);
  Label4.SetCaption("ＨＤＤ内部【全】画像html作成 (gif jpg)");
  Label4.SetVisible(false);

  mnuFile.SetCaption("ﾌｧｲﾙ(&F)");
  Menu(mnuFileItem[0], "検索ﾌｫﾙﾀﾞ(&K)...", "Ctrl+S");
  Menu(mnuFileItem[1], "ﾘｽﾄ作成ﾌｫﾙﾀﾞ(&L)", "Ctrl+M");
  Menu(mnuFileItem[2], "-", "");
  Menu(mnuFileItem[3], "終了(&X)", "Ctrl+X");
  mnuView.SetCaption("表示(&V)");
  Menu(mnuViewItem[0], "HTML表示(&H)", "Ctrl+H");
  Menu(mnuViewItem[1], "全ﾌｧｲﾙﾘｽﾄ表示(&Z)", "Ctrl+Z");
  mnuRun.SetCaption("実行(&R)");
  Menu(mnuRunItem[0], "検索開始(&S)", "F5");
  Menu(mnuRunItem[1], "検索中止(&E)", "Shift+F5");
  mnuRunItem[1].SetEnabled(false);
  mnuOption.SetCaption("ｵﾌﾟｼｮﾝ(&O)");
  Menu(mnuOptionItem[kOptionDeleteOddFiles], "異常ﾌｧｲﾙ削除(&D)", "Ctrl+D");
  Menu(mnuOptionItem[kOptionWhiteBackground], "背景白(&W)", "Ctrl+W");
  Menu(mnuOptionItem[kOptionThumbnails], "縮小画像を作成", "");
  Menu(mnuOptionItem[kOptionMoreFormats], "PNG・WebP・AVIF・HEIC も検索", "");
  mnuHelp.SetCaption("ﾍﾙﾌﾟ(&H)");
  Menu(mnuHelpItem[0], "ホームページ(&i)", "Ctrl+I");
  Menu(mnuHelpItem[1], "ｳﾞｧｰｼﾞｮﾝ情報(&A)", "Ctrl+A");
  Menu(mnuHelpItem[2], "Readme閲覧", "F1");

  Window.Move(0, 0, kClientWidth, kClientHeight);
  Arrange();
  Decorate();
}

// Positions in twips. Controls inside a frame count from the frame; those on
// a tab count from the tab's page, below the tab strip.
void MainForm::Arrange() {
  Frame6.Move(330, 255, 4485, 3465);
  txtOLEKensaku.Move(120, 300, 4245, 315);
  Drive1.Move(120, 705, 2085, 315);
  Dir1.Move(120, 1095, 2085, 1905);
  File1.Move(2280, 705, 2085, 2295);
  chkSubDir.Move(120, 3075, 2500, 270);

  Frame5.Move(330, 3915, 4455, 1005);
  chkSameDir.Move(120, 270, 2040, 270);
  chkLelative.Move(2280, 270, 2040, 270);
  txtOLESakusei.Move(120, 600, 3855, 315);
  cmdWriteDirSet.Move(4035, 600, 300, 315);

  SSTab1.Move(5160, 270, 3135, 3465);
  chkGazoHtml.Move(120, 120, 1320, 270);
  chkBmp.Move(1560, 120, 1320, 270);
  chkHtmlBr.Move(120, 450, 1320, 270);
  Frame1.Move(120, 840, 2820, 900);
  hscGazoSuu.Move(120, 390, 1935, 255);
  lGazosu.Move(2160, 390, 540, 255);
  Frame4.Move(120, 1860, 2820, 900);
  hscThumbnail.Move(120, 390, 1935, 255);
  LblThumbnail.Move(2160, 390, 540, 255);
  frmOptWin2.Move(120, 120, 2820, 1080);
  optWin2[0].Move(120, 330, 1140, 270);
  optWin2[1].Move(1320, 330, 1440, 270);
  optWin2[2].Move(120, 690, 1560, 270);
  chkTable1.Move(240, 1320, 1020, 270);
  frmTable1.Move(120, 1440, 2820, 1560);
  Label2.Move(120, 360, 1380, 255);
  cmbGazoSuu.Move(1560, 315, 900, 315);
  Label3.Move(120, 765, 1380, 255);
  cmbFontSize.Move(1560, 720, 900, 315);
  chkFileName.Move(120, 1140, 2520, 270);
  chkAllFileList.Move(120, 120, 1800, 270);
  Label8.Move(1920, 150, 1020, 255);
  chkXLS2PRN.Move(120, 480, 1500, 270);

  Frame3.Move(5190, 3915, 3075, 1005);
  lblAnnai[0].Move(450, 255, 255, 225);
  lblAnnai[1].Move(2385, 255, 255, 225);
  cmdStart.Move(120, 495, 900, 465);
  cmdStop.Move(1087, 495, 900, 465);
  cmdView.Move(2055, 495, 900, 465);

  Frame7.Move(315, 5130, 7935, 1080);
  chkSpeed.Move(120, 285, 1260, 270);
  Label1.Move(1500, 300, 1080, 225);
  LblDirMax.Move(2580, 300, 600, 225);
  Label7.Move(3300, 300, 960, 225);
  LblFileCount.Move(4260, 300, 1200, 225);
  // Two lines, so that the longest status texts can be read whole.
  LblComment.Move(120, 540, 7695, 480);

  cmdInternet.Move(5010, 75, 960, 315);
}

void MainForm::Decorate() {
  for (Frame* f : {&Frame6, &Frame5, &Frame3, &Frame7}) {
    f->SetBackColor(kWhite);
    f->SetFont(kFrameFont);
  }
  for (CommandButton* b : {&cmdStart, &cmdStop, &cmdView}) b->SetFont(kButtonFont);
  chkGazoHtml.SetFont({9, true});
  for (Control* c : std::initializer_list<Control*>{
           &Frame1, &Frame4, &frmOptWin2, &frmTable1, &chkGazoHtml, &chkBmp, &chkHtmlBr, &chkTable1,
           &chkFileName, &chkAllFileList, &chkXLS2PRN, &optWin2[0], &optWin2[1], &optWin2[2]}) {
    c->SetBackColor(kSilver);
  }
  for (Control* c : std::initializer_list<Control*>{&Frame1, &Frame4, &frmOptWin2, &optWin2[0],
                                                    &optWin2[1], &optWin2[2], &Label2, &Label3,
                                                    &lGazosu, &LblThumbnail, &Label8}) {
    c->SetForeColor(kNavy);
  }
}

std::array<Label*, 7> ThemeLabels(MainForm& f) {
  return {&f.Label7,     &f.Label1,      &f.LblDirMax,  &f.LblFileCount,
          &f.LblComment, &f.lblAnnai[0], &f.lblAnnai[1]};
}

}  // namespace zb
