#pragma once

#include <string>
#include <string_view>

#include "platform/dialogs.h"

namespace zb {

// The start-up messages about the settings store, word for word.

inline constexpr std::string_view kCrashedPictureQuestion =
    "前回の処理が異常終了しています。\r\nこのファイルに異常がある可能性があります。\r\n"
    "削除しますか。";

inline MessageBox CrashedPictureQuestion(const std::string& path) {
  return {std::string(kCrashedPictureQuestion) + path, "削除", Buttons::kYesNo, Icon::kCritical,
          Answer::kNo};
}

// The one question whose Yes deletes a file named by the crash marker.
inline bool IsCrashedPictureQuestion(const MessageBox& box) {
  return box.buttons == Buttons::kYesNo && box.text.starts_with(kCrashedPictureQuestion);
}

inline MessageBox CrashedPictureNotDeletedMessage(const std::string& path) {
  return {
      "このファイルを削除できませんでした。\r\n"
      "すでに無いか、書き込みが禁止されているか、使用中です。\r\n" +
          path,
      "削除", Buttons::kOk, Icon::kCritical, Answer::kOk};
}

inline MessageBox SettingsCannotBeSavedMessage() {
  return {
      "設定を保存できません。\r\n"
      "設定フォルダ（$XDG_CONFIG_HOME/Zorbelle、ふつうは ~/.config/Zorbelle）に"
      "書き込めません。\r\n"
      "オプションとフォルダの指定は次回に引き継がれず、"
      "異常終了した画像の記録も残りません。\r\n"
      "画像一覧の作成はこのまま行えます。",
      "★Zorbelle♪からのおしらせ", Buttons::kOk, Icon::kNone, Answer::kOk};
}

}  // namespace zb
