#include "window/path_field_validation.h"

#include "run/output_location.h"
#include "text/letter_case.h"
#include "text/text_util.h"
#include "window/path_fields.h"
#include "window/program.h"

namespace zb {
namespace {

bool IsHtmlExtension(const std::string& extension) {
  for (const char* known : {"html", "htm", "shtml"}) {
    if (EqualsIgnoreCase(extension, known)) return true;
  }
  return false;
}

// The extension after the last ".", or the whole text when it has none.
std::string ExtensionOf(const std::string& text) {
  return text.substr(static_cast<std::size_t>(FindLastChar(text, '.')));
}

}  // namespace

bool SelectSearchFolder(Program& program, const ResolvedFolder& resolved) {
  TextBox& field = program.form.txtOLEKensaku;
  if (resolved.code == Resolution::kRejected) {
    field.SetText("");
    return false;
  }
  field.SetText(resolved.folder);
  return MoveFolderList(program, resolved.folder);
}

MessageBox OverwriteQuestion(const std::string& listPath) {
  return {listPath + "を上書きします。よろしいですか？", "昔のリストはなくなっちゃうぞ",
          Buttons::kOkCancel, Icon::kNone, Answer::kOk};
}

void txtOLEKensaku_LostFocus(Program& program) {
  const ResolvedFolder resolved = ResolveFolder(program, program.form.txtOLEKensaku.Text());
  // The lists may already have been there; either way the field ends in
  // their form of the folder.
  if (SelectSearchFolder(program, resolved)) RefreshFolderLists(program);
}

void txtOLESakusei_LostFocus(Program& program) {
  TextBox& field = program.form.txtOLESakusei;
  std::string& listPath = program.session.run.ListPath;
  std::string text = field.Text();
  switch (ResolveFolder(program, text).code) {
    case Resolution::kRejected:
      field.SetText("");
      return;
    case Resolution::kFolder:
      if (EndsWith(text, '\\')) text.pop_back();
      listPath = text + "\\" + kListFileName;
      field.SetText(listPath);
      return;
    case Resolution::kParentOfFile:
      if (!IsHtmlExtension(ExtensionOf(text))) {
        text += ".htm";
        field.SetText(text);
      }
      if (program.platform.dialogs.Show(OverwriteQuestion(text)) == Answer::kOk) {
        listPath = text;
        field.SetText(text);
      } else {
        field.SetText("");
        listPath.clear();
      }
      return;
  }
}

}  // namespace zb
