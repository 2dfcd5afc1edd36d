#pragma once

#include <optional>
#include <string>

namespace zb {

enum class Buttons { kOk, kOkCancel, kYesNo };
enum class Icon { kNone, kCritical };
enum class Answer { kOk, kCancel, kYes, kNo };

struct MessageBox {
  std::string text;
  std::string title;
  Buttons buttons = Buttons::kOk;
  Icon icon = Icon::kNone;
  Answer defaultButton = Answer::kOk;
};

struct OpenFileRequest {
  std::string filterName;     // "ＨＴＭＬ ファイル (*.htm)"
  std::string filterPattern;  // "*.htm"
  bool pathMustExist = false;
  // Where the dialog opens, as a drive path: a folder, or a file in one,
  // which is then named in the dialog. Empty: wherever the dialog likes.
  std::string startAt;
};

// Modal dialogs; each call returns when the user has answered.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual Answer Show(const MessageBox& box) = 0;
  // The chosen file as a drive path; empty on Cancel.
  virtual std::optional<std::string> OpenFile(const OpenFileRequest& request) = 0;
};

}  // namespace zb
