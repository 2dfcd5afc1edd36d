#include "window/main_form.h"

#include <string>

namespace zb {
namespace {

constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kDarkBlue{0, 0, 192};

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
  Menu(mnuOptionItem[0], "異常ﾌｧｲﾙ削除(&D)", "Ctrl+D");
  Menu(mnuOptionItem[1], "背景白(&W)", "Ctrl+W");
  mnuHelp.SetCaption("ﾍﾙﾌﾟ(&H)");
  Menu(mnuHelpItem[0], "ホームページ(&i)", "Ctrl+I");
  Menu(mnuHelpItem[1], "ｳﾞｧｰｼﾞｮﾝ情報(&A)", "Ctrl+A");
  Menu(mnuHelpItem[2], "Readme閲覧", "F1");
}

}  // namespace zb
