#pragma once

#include <string>

#include "platform/dialogs.h"

namespace zb {

// The messages a run can show, word for word.

inline MessageBox FileErrorMessage() {
  return {
      "ファイル関連のエラーが起こりました。\r\n"
      "ファイルが使用中などの原因でロックされているかもしれません。\r\n"
      "確認の後、再度起動させて下さい",
      "★Zorbelle♪からのおしらせ", Buttons::kOk, Icon::kNone, Answer::kOk};
}

// The same when a run failed part way: what it had not finished is left as
// the run before wrote it.
inline MessageBox FailedRunMessage() {
  MessageBox box = FileErrorMessage();
  box.text +=
      "\r\n今回の一覧は途中までしかできていません。書き終わらなかったファイルは、前回のまま"
      "残してあります。";
  return box;
}

inline MessageBox NoOptionsMessage() {
  return {"オプションが全くありません。\r\nＨＴＭＬを作るか、全リスト作るか、指定して下さい。",
          "★Zorbelle♪からのお知らせ", Buttons::kOk, Icon::kNone, Answer::kOk};
}

inline MessageBox PageWriteErrorMessage() {
  return {
      "ＨＴＭＬファイルに書き込みできません。\r\n\r\n"
      "？もしや、ＣＤＲＯＭドライブなのに　「検索フォルダと同じ」オプションが　"
      "付いていませんか？\r\n\r\n"
      "？もしや、ＨＴＭＬファイルを編集中ではありませんか？\r\n\r\n"
      "？その他かもしれませんが、ファイル関係のエラーです。",
      "★Zorbelle♪ファイルエラー", Buttons::kOk, Icon::kCritical, Answer::kOk};
}

inline MessageBox StopQuestion() {
  return {"終了しますか。", "プログラムの停止？", Buttons::kYesNo, Icon::kCritical, Answer::kNo};
}

inline MessageBox DeleteQuestion(const std::string& path) {
  return {"このファイルを削除します。" + path, "削除", Buttons::kYesNo, Icon::kCritical,
          Answer::kNo};
}

inline MessageBox BlockingFileMessage(const std::string& path) {
  return {path + "ファイルを消さないと、処理を続行できません", "削除処理続行", Buttons::kYesNo,
          Icon::kCritical, Answer::kNo};
}

// Another run (a second window, or the command line) writes into the folder.
inline MessageBox OutputFolderBusyMessage(const std::string& folder) {
  return {"出力先のフォルダ " + folder +
              " には、別のZorbelle♪が書き込み中です。\r\n"
              "そちらが終わってから、もう一度【開始】ボタンを押して下さい。",
          "★Zorbelle♪からのおしらせ", Buttons::kOk, Icon::kNone, Answer::kOk};
}

// The output folder cannot be locked against another run.
inline MessageBox OutputFolderUnlockableMessage(const std::string& folder) {
  return {"出力先のフォルダ " + folder +
              " は読み取りが許可されていないため、別のZorbelle♪と同時に書き込むのを防げません。"
              "何も書き込まずに中止しました。\r\n"
              "フォルダに読み取りの許可を付けてから、もう一度【開始】ボタンを押して下さい。",
          "★Zorbelle♪からのおしらせ", Buttons::kOk, Icon::kNone, Answer::kOk};
}

// An output name held by a link, a pipe, a device or a folder.
inline MessageBox NotAPlainFileMessage(const std::string& path) {
  return {path +
              "\r\nは普通のファイルではありません（リンク、フォルダ、パイプなど）。\r\n"
              "書き込むと別の場所を壊すかもしれないので、処理を中止しました。",
          "★Zorbelle♪ファイルエラー", Buttons::kOk, Icon::kCritical, Answer::kOk};
}

inline constexpr const char* kStoppedText =
    "処理はユーザーの希望により停止しました。再び作業をする場合、ﾌｫﾙﾀﾞを指定して【開始】ボタンを押"
    "してください。";

// Added to the completion text when thumbnails were asked for but the
// output folder's _gazthumb is a link, a file or holds files not ours.
inline constexpr const char* kNoThumbnailFolderText =
    "（_gazthumb が使えないため、縮小画像は作成していません）";

}  // namespace zb
