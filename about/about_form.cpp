#include "about/about_form.h"

#include "about/help_text.h"
#include "about/home_page.h"

namespace zb {

AboutForm::AboutForm() {
  lblTitle.SetCaption("★Zorbelle♪");
  lblVersion.SetCaption("ここは自動で変更される");
  lblDescription.SetCaption(
      "①画像を検索するフォルダ名を指定します。\r\n"
      "　Ｃドライブ全部を検索する場合は c:\\ となります。\r\n"
      "②【開始】ボタンをクリックします。\r\n"
      "③（処理終了までしばらく待ちます）\r\n"
      "④処理終了後、リスト画面が表示されます。\r\n"
      "　クリックして画像を見ます。");
  Text1.SetText(HelpText());
  Label12.SetCaption(kHomePage);
  Label13.SetCaption("e-mail: zorbelle@users.invalid");
  Label5.SetCaption("Zorbelle 開発チーム　画像一覧づくりを、もっと気軽に。");
  cmdOK.SetCaption("OK");
  cmdSysInfo.SetCaption("ｼｽﾃﾑ情報(&S)...");
  Command1.SetCaption("ホームページへ");
}

}  // namespace zb
